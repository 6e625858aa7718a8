# Compiling language modules: a Qt Linguist catalogue (.ts) with ID-based messages, the text number
# being the ID, becomes a .qm file through lrelease.
#
#   zentaro_language_module(<target> <ts-file> <qm-file>)
#
# adds the .qm file to the (custom) target, so that building the target compiles the catalogue.

find_package(Qt6 QUIET COMPONENTS LinguistTools)
if(TARGET Qt6::lrelease)
    set(ZENTARO_LRELEASE Qt6::lrelease)
else()
    # Debian's qt6-l10n-tools ships the tool without its CMake package.
    find_program(ZENTARO_LRELEASE NAMES lrelease lrelease-qt6
        HINTS /usr/lib/qt6/bin /usr/lib/qt6/libexec REQUIRED)
endif()

function(zentaro_language_module target ts qm)
    add_custom_command(
        OUTPUT ${qm}
        COMMAND ${ZENTARO_LRELEASE} -idbased -silent ${ts} -qm ${qm}
        DEPENDS ${ts}
        COMMENT "Compiling language module ${qm}"
        VERBATIM)
    target_sources(${target} PRIVATE ${qm})
endfunction()
