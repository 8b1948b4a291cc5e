#include "common/portable_profile_store.h"

namespace zrnx {

ProfileStore& DefaultProfileStore() {
  static PortableProfileStore store;
  return store;
}

}  // namespace zrnx
