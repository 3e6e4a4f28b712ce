# Run by CPack on the staged tree before it packs it: leaves what Debian's own tools would. The
# program is stripped as dh_strip strips it (also of the compiler's notes), and lintian gets the
# package's overrides.
set(root ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
execute_process(COMMAND ${CPACK_KORVEL_STRIP} --remove-section=.comment --remove-section=.note
                        --strip-unneeded ${root}/bin/korvel
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "strip failed on ${root}/bin/korvel")
endif()
# Copied, not installed: file(INSTALL) would put CPack's DESTDIR in front of the staged path.
file(MAKE_DIRECTORY ${root}/share/lintian/overrides)
file(COPY_FILE ${CPACK_KORVEL_LINTIAN_OVERRIDES} ${root}/share/lintian/overrides/korvel)
