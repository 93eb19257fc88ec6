# Tray icon docking. Only trayiconx11.cpp talks to Xlib; everything else is plain Qt,
# so the library loads and works on platforms without an X server.
find_package(X11 REQUIRED)

target_sources(desktopui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/trayicon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trayicon.h
  ${CMAKE_CURRENT_LIST_DIR}/trayiconprivate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trayiconprivate.h
  ${CMAKE_CURRENT_LIST_DIR}/trayiconfreedesktop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trayiconfreedesktop.h
  ${CMAKE_CURRENT_LIST_DIR}/trayiconx11.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trayiconx11.h
)
target_link_libraries(desktopui PRIVATE X11::X11)
