# Every target of ours links this to get the same warning set.
add_library(zelvane_warnings INTERFACE)
target_compile_options(zelvane_warnings INTERFACE -Wall -Wextra -Wpedantic
  $<$<BOOL:${ZELVANE_WERROR}>:-Werror>)
