#include "records/file_system.h"

namespace zelvane {
namespace {

class InUseCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "zelvane files"; }
  std::string message(int) const override { return "in use by another program"; }
};

}  // namespace

std::error_code FileInUse() {
  static const InUseCategory category;
  return {1, category};
}

}  // namespace zelvane
