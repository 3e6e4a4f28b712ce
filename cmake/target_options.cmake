# Options for every compiled target defined in a folder and the folders under it, Qt's generated
# resource libraries included; a project that adds the bench as a subdirectory keeps its own.
#  - the compiler's warnings, for the compilers that take these options;
#  - the hardening Debian builds its packages with, on top of its compiler's defaults: fortified
#    C library calls where optimising, and every relocation resolved and read-only before start.
#    A sanitizer build goes without fortified calls, which would hide overflows from it.
function(korvel_target_options dir)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
            continue()
        endif()
        target_compile_options(${target} PRIVATE
            "$<$<COMPILE_LANG_AND_ID:CXX,GNU,Clang,AppleClang>:-Wall;-Wextra>")
        if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize=")
            set(optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
            target_compile_options(${target} PRIVATE
                "$<$<AND:$<COMPILE_LANG_AND_ID:CXX,GNU,Clang>,${optimised}>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
            if(type STREQUAL "EXECUTABLE")
                target_link_options(${target} PRIVATE
                    "$<$<CXX_COMPILER_ID:GNU,Clang>:-Wl,-z,relro,-z,now>")
            endif()
        endif()
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir IN LISTS subdirs)
        korvel_target_options(${subdir})
    endforeach()
endfunction()
