# Fails when a file of the core includes by a relative path ("../app/Form1.h"):
# the compiler finds such a file beside the including one, past the include
# roots that hold the layers apart. Run by the build for each core library:
#   cmake -DLISTED=<file holding the list of files> -DSTAMP=<file> -P RefuseRelativeIncludes.cmake
file(READ "${LISTED}" files)
set(found)
foreach(file IN LISTS files)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*\\.\\.")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    list(APPEND found "  ${file}: ${line}")
  endforeach()
endforeach()
if(found)
  list(JOIN found "\n" listed)
  message(FATAL_ERROR "Relative includes in the core; name the header by its folder instead "
                      "(\"base/Action.h\"), which the layers allow only downwards:\n${listed}")
endif()
file(TOUCH "${STAMP}")
