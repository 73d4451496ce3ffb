# Writes the linker dynamic list of the korvex executable: every symbol name
# the desktop module refers to or defines. korvex exports only these, so the
# module still resolves the core from korvex (one copy of each object and of its
# state), while the rest of the core stays local to korvex and the linker can
# drop what nothing calls.
#
#   cmake -DNM=nm -DMODULE=korvex-desktop.so -DOUT=korvex.dynlist -P kvx_dynamic_list.cmake
#
# The file is rewritten only when the list changes, so korvex is relinked only then.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${NM} -D --format=posix ${MODULE}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE failed ERROR_VARIABLE why)
if(failed)
  message(FATAL_ERROR "cannot list the symbols of ${MODULE}: ${why}")
endif()
string(REPLACE "\n" ";" lines "${symbols}")
set(names)
foreach(line ${lines})
  # "name type [value size]"; a versioned name ("memcpy@GLIBC_2.14") is listed bare.
  string(REGEX MATCH "^[^ @]+" name "${line}")
  if(name)
    list(APPEND names "${name}")
  endif()
endforeach()
list(REMOVE_DUPLICATES names)
list(SORT names)
if(NOT "kvx_run_desktop" IN_LIST names)
  message(FATAL_ERROR "${MODULE} does not define kvx_run_desktop: not the desktop module?")
endif()
list(JOIN names ";\n  " body)
file(WRITE ${OUT}.new "{\n  ${body};\n};\n")
file(COPY_FILE ${OUT}.new ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.new)
