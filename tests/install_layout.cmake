# Installs the built bench into a fresh prefix and checks where everything lands; then runs a
# bench from the prefix's bin folder (INSTALLED_TEST, copied there) with an empty working folder,
# which must find its documents in the data folder.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(data ${PREFIX}/share/korvel)
set(documents spravka1.pdf galvanometr.pdf reochord.pdf Korvel.pdf uprav.pdf instruction.txt
    instruction.pdf)
set(icon_sizes 16 22 24 32 48 64 128 256)
set(expected bin/korvel share/applications/${APP_ID}.desktop share/metainfo/${APP_ID}.metainfo.xml
    share/icons/hicolor/scalable/apps/korvel.svg share/man/man1/korvel.1.gz
    share/man/ru/man1/korvel.1.gz share/doc/korvel/copyright share/doc/korvel/changelog.gz)
foreach(file IN LISTS documents)
    list(APPEND expected share/korvel/${file})
endforeach()
foreach(size IN LISTS icon_sizes)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/korvel.png)
endforeach()

# Exactly these files, nothing else (no build tools, tests or links), and the program a real file.
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
    set(extra ${installed})
    list(REMOVE_ITEM extra ${expected})
    set(missing ${expected})
    list(REMOVE_ITEM missing ${installed})
    message(FATAL_ERROR "installed files differ; missing: ${missing}; extra: ${extra}")
endif()
if(IS_SYMLINK ${PREFIX}/bin/korvel)
    message(FATAL_ERROR "bin/korvel is a link, not the program")
endif()
file(GLOB_RECURSE links LIST_DIRECTORIES true ${PREFIX}/*)
foreach(path IN LISTS links)
    if(IS_SYMLINK ${path})
        message(FATAL_ERROR "a link in the installed tree: ${path}")
    endif()
endforeach()

# The documents are the built ones.
foreach(file IN LISTS documents)
    file(SHA256 ${BUILD}/bin/${file} built)
    file(SHA256 ${data}/${file} copied)
    if(NOT built STREQUAL copied)
        message(FATAL_ERROR "share/korvel/${file} differs from the built document")
    endif()
endforeach()

# Each PNG icon is a PNG of its folder's size (width and height from its header).
foreach(size IN LISTS icon_sizes)
    set(png ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/korvel.png)
    file(READ ${png} header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 32 8 width)
    string(SUBSTRING "${header}" 40 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
        message(FATAL_ERROR "${png}: ${width}x${height}, not a ${size}x${size} PNG")
    endif()
endforeach()

file(READ ${PREFIX}/share/applications/${APP_ID}.desktop entry)
foreach(line "Name=Мост Корвела" "Exec=korvel" "Icon=korvel" "Categories=Education;Physics;")
    string(FIND "${entry}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the menu entry lacks '${line}'")
    endif()
endforeach()
file(READ ${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml metainfo)
foreach(element "<id>${APP_ID}</id>" "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
                "<name xml:lang=\"ru\">Мост Корвела</name>" "<category>Education</category>"
                "<category>Science</category>" "<content_rating type=\"oars-1.1\"/>"
                "<binary>korvel</binary>")
    string(FIND "${metainfo}" "${element}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the metadata lacks '${element}'")
    endif()
endforeach()

# A bench started from the installed bin folder, in a working folder without documents.
get_filename_component(test_name ${INSTALLED_TEST} NAME)
file(COPY ${INSTALLED_TEST} DESTINATION ${PREFIX}/bin)
set(work ${PREFIX}/work)
file(MAKE_DIRECTORY ${work})
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
                        KORVEL_EXPECTED_DATA=${data} ${PREFIX}/bin/${test_name}
                WORKING_DIRECTORY ${work} RESULT_VARIABLE result OUTPUT_VARIABLE out
                ERROR_VARIABLE out)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the installed bench did not find its documents:\n${out}")
endif()
file(REMOVE_RECURSE ${PREFIX})
