# The Linux desktop's back-ends of the window: notifications over the session bus and
# xdg-open. Included by the window's folder, since they implement its interfaces.
find_package(Qt6 6.4 REQUIRED COMPONENTS DBus)
add_library(orvane_platform_linux_desktop STATIC
    ${CMAKE_CURRENT_LIST_DIR}/desktopnotifications.cpp
    ${CMAKE_CURRENT_LIST_DIR}/xdgopener.cpp
)
set_target_properties(orvane_platform_linux_desktop PROPERTIES AUTOMOC ON)
target_link_libraries(orvane_platform_linux_desktop PUBLIC orvane_ui Qt6::DBus)
