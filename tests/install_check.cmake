# Installs the build at BUILD into a fresh prefix and checks that both programs and both
# manual pages arrive where a user's PATH and MANPATH look.
set(prefix "${BUILD}/install-check")
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${prefix}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file bin/kzo-import bin/kzo-export share/man/man1/kzo-import.1
             share/man/man1/kzo-export.1)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
execute_process(COMMAND "${prefix}/bin/kzo-import" --version OUTPUT_VARIABLE version)
if(NOT version MATCHES "^kzo-import [0-9]")
  message(FATAL_ERROR "the installed kzo-import does not run: ${version}")
endif()
file(REMOVE_RECURSE "${prefix}")
