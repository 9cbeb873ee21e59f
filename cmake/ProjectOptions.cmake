# Compiler settings of the project's own targets, which link this (through
# the runtime, or directly): GoogleTest and other outside code keep theirs.
#
# Sources are UTF-8; every literal becomes GBK bytes at run time.
add_library(velkora_options INTERFACE)
target_compile_options(velkora_options INTERFACE -Wall -Wextra -finput-charset=UTF-8 -fexec-charset=GBK)

if(WIN32)
  target_compile_definitions(velkora_options INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600)
  # Each file runs alone: no MinGW runtime DLLs beside it.
  target_link_options(velkora_options INTERFACE -static -static-libgcc -static-libstdc++)
  # Release: optimised for size (start-up is spent loading the files, not
  # computing), and every function and datum in a section of its own, so
  # that the linker drops what nothing calls: most of a static C++ library.
  target_compile_options(velkora_options INTERFACE $<$<CONFIG:Release>:-Os>
                         $<$<CONFIG:Release>:-ffunction-sections> $<$<CONFIG:Release>:-fdata-sections>)
  target_link_options(velkora_options INTERFACE $<$<CONFIG:Release>:-Wl,--gc-sections>)
endif()

# GBK export names are made with iconv.
find_program(ICONV iconv REQUIRED)

# The shipped files: GUI programs, the plug-ins too (nothing about them needs
# a console), stripped of symbols and debugging sections in a Release build,
# and ending C++ library faults on the fatal path (library_faults.cpp).
function(velkora_deliverable target)
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/runtime/src/shipped/library_faults.cpp)
  target_link_options(${target} PRIVATE -Wl,--subsystem,windows $<$<CONFIG:Release>:-s>)
endfunction()

# A deliverable's version resource: 6.0.0.0, ProductName "Velkora6" and the
# file's own description, in a Chinese (0804) block of code page 936.
# file_type: VFT_APP or VFT_DLL.
function(velkora_version_resource target description file_type)
  set(VELKORA_FILE_DESCRIPTION "${description}")
  set(VELKORA_FILE_TYPE ${file_type})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

# Turns a UTF-8 module-definition file into the GBK one the linker reads, so
# that the exports carry GBK names. The file is written with the i686 stdcall
# decorations (Name@N); x86_64 has none, so they are stripped there.
function(velkora_gbk_def target utf8_def)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${utf8_def})
  file(READ ${utf8_def} def_text)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    string(REGEX REPLACE "=([A-Za-z_][A-Za-z0-9_]*)@[0-9]+" "=\\1" def_text "${def_text}")
  endif()
  set(arch_def ${CMAKE_CURRENT_BINARY_DIR}/${target}.utf8.def)
  file(WRITE ${arch_def} "${def_text}")
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}.gbk.def)
  add_custom_command(OUTPUT ${out}
    COMMAND ${ICONV} -f UTF-8 -t GBK ${arch_def} -o ${out}
    DEPENDS ${arch_def}
    COMMENT "GBK export names for ${target}")
  add_custom_target(${target}_def DEPENDS ${out})
  add_dependencies(${target} ${target}_def)
  target_link_options(${target} PRIVATE ${out} -Wl,--kill-at)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${out})
endfunction()
