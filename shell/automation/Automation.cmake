# The automation object (independent of the transport) and the D-Bus service that carries it.
# Included by shell/CMakeLists.txt, so that the generated adaptors belong to zentaro_shell's
# directory.
# The interface files are the contract clients rely on; Qt's tools generate the adaptors from
# them, and they are installed for introspection by clients.
set(ZENTARO_DBUS_INTERFACES
    ${CMAKE_CURRENT_LIST_DIR}/com.velmark.Zentaro.Factory1.xml
    ${CMAKE_CURRENT_LIST_DIR}/com.velmark.Zentaro.Application1.xml)

set(automation_adaptors)
qt_add_dbus_adaptor(automation_adaptors ${CMAKE_CURRENT_LIST_DIR}/com.velmark.Zentaro.Factory1.xml
    shell/automation/AutomationService.h TAutomationService Factory1Adaptor)
qt_add_dbus_adaptor(automation_adaptors ${CMAKE_CURRENT_LIST_DIR}/com.velmark.Zentaro.Application1.xml
    shell/automation/AutomationObject.h TAutomationObject Application1Adaptor)

target_sources(zentaro_shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AutomationCall.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AutomationCall.h
    ${CMAKE_CURRENT_LIST_DIR}/AutomationObject.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AutomationObject.h
    ${CMAKE_CURRENT_LIST_DIR}/AutomationService.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AutomationService.h
    ${CMAKE_CURRENT_LIST_DIR}/AutomationValue.h
    ${CMAKE_CURRENT_LIST_DIR}/ServiceRegistration.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ServiceRegistration.h
    ${CMAKE_CURRENT_LIST_DIR}/ZTApp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ZTApp.h
    ${automation_adaptors}
)
target_include_directories(zentaro_shell PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
target_link_libraries(zentaro_shell PUBLIC zentaro_runtime Qt6::DBus)

install(FILES ${ZENTARO_DBUS_INTERFACES} DESTINATION share/dbus-1/interfaces)
