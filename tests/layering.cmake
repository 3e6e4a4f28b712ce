# Each layer of the program compiles against a folder of links to its own folder and the ones
# below it. Run with -DCXX=<compiler> -DLAYERS=<build>/layers -DWORK=<scratch folder>: for every
# pair of folders, a file of the lower one that includes a header of the higher one must fail to
# compile for want of the header, and one that includes a header of its own or of a folder below
# must find it.
set(order model toolkit view help controls app)
# What each layer may use besides itself.
set(uses_model "")
set(uses_toolkit "")
set(uses_view toolkit)
set(uses_help toolkit)
set(uses_controls model toolkit view)
set(uses_app model toolkit view help controls)
# A header of each folder that needs nothing beyond the standard library to be found.
set(header_model model/bridge.h)
set(header_toolkit toolkit/desktop.h)
set(header_view view/source_picture.h)
set(header_help help/about.h)
set(header_controls controls/circuit.h)
set(header_app app/bench_window.h)
file(MAKE_DIRECTORY ${WORK})
set(faults "")
foreach(layer ${order})
    foreach(other ${order})
        set(file ${WORK}/${layer}_includes_${other}.cpp)
        file(WRITE ${file} "#include \"${header_${other}}\"\n")
        # Only the preprocessor: whether the header is found, not whether Qt's are.
        execute_process(COMMAND ${CXX} -E -MM -MG -I${LAYERS}/${layer} ${file}
                        OUTPUT_VARIABLE deps ERROR_QUIET)
        # With -MG a header that is not found is listed as it was written, without a folder.
        string(FIND "${deps}" "${LAYERS}/${layer}/${header_${other}}" at)
        set(found FALSE)
        if(at GREATER -1)
            set(found TRUE)
        endif()
        list(FIND uses_${layer} ${other} allowed)
        if(other STREQUAL layer OR allowed GREATER -1)
            if(NOT found)
                list(APPEND faults "${layer} cannot see ${other}")
            endif()
        elseif(found)
            list(APPEND faults "${layer} sees ${other}, a layer above or beside it")
        endif()
    endforeach()
endforeach()
if(faults)
    list(JOIN faults "\n  " listed)
    message(FATAL_ERROR "Layers:\n  ${listed}")
endif()
