# Installs the build at BUILD into a fresh prefix and checks that both programs and both
# manual pages arrive where a user's PATH and MANPATH look, with the JSON Schema of the
# export, and the copyright and the changelog the Debian package needs; the compressed
# files are as Debian wants them, and the changelog's latest entry is of the version the
# programs report.
set(prefix "${BUILD}/install-check")
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${prefix}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(doc share/doc/kzo-import)
set(compressed share/man/man1/kzo-import.1.gz share/man/man1/kzo-export.1.gz
               ${doc}/changelog.gz)
foreach(file bin/kzo-import bin/kzo-export ${compressed} ${doc}/copyright
             share/kzo-import/kzo-model.schema.json)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# gzip's header: magic 1f 8b, method 08, flags 00 (no file name), a zero time stamp
# (gzip -n), and 02 for the best compression (-9).
foreach(file ${compressed})
  file(READ "${prefix}/${file}" header LIMIT 9 HEX)
  if(NOT header STREQUAL "1f8b08000000000002")
    message(FATAL_ERROR "${file} is not compressed with gzip -9n: header ${header}")
  endif()
endforeach()

execute_process(COMMAND "${prefix}/bin/kzo-import" --version OUTPUT_VARIABLE version)
if(NOT version MATCHES "^kzo-import ([0-9][^\n]*)")
  message(FATAL_ERROR "the installed kzo-import does not run: ${version}")
endif()
set(version "${CMAKE_MATCH_1}")
execute_process(COMMAND gzip -dc "${prefix}/${doc}/changelog.gz" OUTPUT_VARIABLE changelog
                RESULT_VARIABLE result)
string(REGEX MATCH "^kzo-import \\(([^)]*)\\)" entry "${changelog}")
if(NOT result EQUAL 0 OR NOT CMAKE_MATCH_1 STREQUAL version)
  message(FATAL_ERROR "the changelog's latest entry is not of version ${version}: ${entry}")
endif()
file(REMOVE_RECURSE "${prefix}")
