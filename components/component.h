#pragma once
// The least of a component framework: a component has an owner, which
// destroys it, and a name; its published properties can be given as a
// stored list, applied in the stored order when the owning window is built.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zrnx {

// A stored property value: a flag, an integer (sizes, colours) or a text
// (strings and enumeration identifiers such as "scSendto").
using PropertyValue = std::variant<bool, std::int64_t, std::string>;

struct StoredProperty {
  std::string name;
  PropertyValue value;
};

class TComponent {
 public:
  // With an owner, the component must live on the heap: the owner deletes
  // it (last created first) when the owner goes.
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  std::size_t ComponentCount() const { return components_.size(); }
  TComponent* Components(std::size_t index) const { return components_.at(index); }
  TComponent* FindComponent(std::string_view name) const;

  // The window handle of a windowed component (a window is the owner of
  // dialogs that need one); 0 for the others.
  virtual std::uintptr_t WindowHandle() const { return 0; }

  // Assigns each stored property through its setter, in the stored order.
  // An unknown name or a value of the wrong kind raises Error; the
  // properties assigned before it keep their new values.
  void LoadProperties(std::span<const StoredProperty> properties);

 protected:
  // One published property; false when the component has none of that name.
  // Overrides handle their own names and pass the rest to their base.
  virtual bool SetPublished(std::string_view name, const PropertyValue& value);

 private:
  TComponent* owner_;
  std::string name_;
  std::vector<TComponent*> components_;
};

// The value of a stored property as the kind its setter takes; a value of
// another kind raises Error naming the property.
bool PropertyFlag(std::string_view name, const PropertyValue& value);
std::int64_t PropertyInteger(std::string_view name, const PropertyValue& value);
const std::string& PropertyText(std::string_view name, const PropertyValue& value);

}  // namespace zrnx
