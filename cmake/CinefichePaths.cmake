# Install folders and helpers shared by every folder's install rules.
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# cinefiche_install_man_page(page.N): compresses the page (a path in the
# source folder, or an absolute one) at build time, as Debian ships man pages,
# and installs it into man section N.
function(cinefiche_install_man_page page)
    get_filename_component(source ${page} ABSOLUTE)
    get_filename_component(name ${page} NAME)
    string(REGEX MATCH "[1-9]$" section ${name})
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND gzip -9nc ${source} > ${compressed}
        DEPENDS ${source} VERBATIM)
    add_custom_target(man-${name} ALL DEPENDS ${compressed})
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()
