# The layers between host/ and shell/: the platform stand-ins, the shared interface services and
# the language modules. Included by the root CMakeLists.txt inside its ZENTARO_GUI block, before
# shell/.
add_subdirectory(platform)
add_subdirectory(services)
add_subdirectory(lang)
