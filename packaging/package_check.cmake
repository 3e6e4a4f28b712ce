# Makes the Debian package from a built tree with CPack and checks it as the archive does: the
# file name, the control fields and lintian, clean of errors, warnings and notes.
if(NOT LINTIAN)
    message(FATAL_ERROR "lintian is not installed (./test.sh installs it)")
endif()
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${OUT}
                RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${log}")
endif()

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(deb ${OUT}/korvel_${VERSION}_${arch}.deb)
if(NOT EXISTS ${deb})
    file(GLOB made ${OUT}/*.deb)
    message(FATAL_ERROR "expected ${deb}, cpack made: ${made}")
endif()

# The fields a package manager and a software centre read.
execute_process(COMMAND dpkg-deb --field ${deb} OUTPUT_VARIABLE control)
message(STATUS "control:\n${control}")
foreach(field "Package: korvel" "Section: education" "Priority: optional"
              "Maintainer: Korvel bench developers <"
              "Description: virtual laboratory bench: measuring a resistance with a Korvel bridge")
    string(FIND "${control}" "${field}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the control file lacks '${field}'")
    endif()
endforeach()
string(REGEX MATCH "\nDepends: [^\n]*" depends "${control}")
foreach(package libqt6widgets6 libqt6svg6 libqt6gui6 libqt6core6 libstdc\\+\\+6 libc6
                "fonts-liberation \\| fonts-liberation2")
    if(NOT depends MATCHES "[ ,]${package}( |,|$)")
        message(FATAL_ERROR "Depends lacks ${package}: ${depends}")
    endif()
endforeach()

execute_process(COMMAND ${LINTIAN} --display-info --fail-on error,warning,info ${deb}
                RESULT_VARIABLE result OUTPUT_VARIABLE tags ERROR_VARIABLE complaints)
message(STATUS "lintian: ${tags}")
if(NOT result EQUAL 0 OR tags MATCHES "(^|\n)[EWIX]: ")
    message(FATAL_ERROR "lintian is not clean (${result}):\n${tags}${complaints}")
endif()
file(REMOVE_RECURSE ${OUT})
