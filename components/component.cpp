#include "components/component.h"

#include <algorithm>

#include "common/error.h"

namespace zrnx {
namespace {

constexpr std::string_view kUnknownProperty = "ﾌﾟﾛﾊﾟﾃｨ %s はありません";
constexpr std::string_view kInvalidValue = "ﾌﾟﾛﾊﾟﾃｨ %s の値が正しくありません";

template <typename T>
const T& ValueAs(std::string_view name, const PropertyValue& value) {
  if (const T* held = std::get_if<T>(&value)) return *held;
  throw Error(WithValue(kInvalidValue, name));
}

}  // namespace

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  // Each owned component leaves the list itself as it goes.
  while (!components_.empty()) delete components_.back();
  if (owner_) std::erase(owner_->components_, this);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  auto found = std::find_if(components_.begin(), components_.end(),
                            [name](const TComponent* c) { return c->Name() == name; });
  return found == components_.end() ? nullptr : *found;
}

void TComponent::LoadProperties(std::span<const StoredProperty> properties) {
  for (const StoredProperty& property : properties) {
    if (!SetPublished(property.name, property.value)) throw Error(WithValue(kUnknownProperty, property.name));
  }
}

bool TComponent::SetPublished(std::string_view name, const PropertyValue& value) {
  if (name != "Name") return false;
  SetName(PropertyText(name, value));
  return true;
}

bool PropertyFlag(std::string_view name, const PropertyValue& value) { return ValueAs<bool>(name, value); }

std::int64_t PropertyInteger(std::string_view name, const PropertyValue& value) {
  return ValueAs<std::int64_t>(name, value);
}

const std::string& PropertyText(std::string_view name, const PropertyValue& value) {
  return ValueAs<std::string>(name, value);
}

}  // namespace zrnx
