# The 64-bit twin of the deliverables, which the tests run where 32-bit code
# cannot run.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
