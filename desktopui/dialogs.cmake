# The shared dialogs: password form and checks, about box, help viewer, message boxes,
# file dialogs.
target_sources(desktopui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/contextfitler.cpp ${CMAKE_CURRENT_LIST_DIR}/contextfitler.h
  ${CMAKE_CURRENT_LIST_DIR}/desktopui.qrc
  ${CMAKE_CURRENT_LIST_DIR}/filedialog.cpp ${CMAKE_CURRENT_LIST_DIR}/filedialog.h
  ${CMAKE_CURRENT_LIST_DIR}/folder.cpp ${CMAKE_CURRENT_LIST_DIR}/folder.h
  ${CMAKE_CURRENT_LIST_DIR}/folderlistitem.cpp ${CMAKE_CURRENT_LIST_DIR}/folderlistitem.h
  ${CMAKE_CURRENT_LIST_DIR}/helpbrowser.cpp ${CMAKE_CURRENT_LIST_DIR}/helpbrowser.h
  ${CMAKE_CURRENT_LIST_DIR}/helpdlg.cpp ${CMAKE_CURRENT_LIST_DIR}/helpdlg.h
  ${CMAKE_CURRENT_LIST_DIR}/helpicons.cpp ${CMAKE_CURRENT_LIST_DIR}/helpicons.h
  ${CMAKE_CURRENT_LIST_DIR}/helpopener.cpp ${CMAKE_CURRENT_LIST_DIR}/helpopener.h
  ${CMAKE_CURRENT_LIST_DIR}/messagebox.cpp ${CMAKE_CURRENT_LIST_DIR}/messagebox.h
  ${CMAKE_CURRENT_LIST_DIR}/passwordcheck.cpp ${CMAKE_CURRENT_LIST_DIR}/passwordcheck.h
  ${CMAKE_CURRENT_LIST_DIR}/preabout.cpp ${CMAKE_CURRENT_LIST_DIR}/preabout.h
  ${CMAKE_CURRENT_LIST_DIR}/preaboutbase.cpp ${CMAKE_CURRENT_LIST_DIR}/preaboutbase.h ${CMAKE_CURRENT_LIST_DIR}/preaboutbase.ui
  ${CMAKE_CURRENT_LIST_DIR}/prepasswordbase.cpp ${CMAKE_CURRENT_LIST_DIR}/prepasswordbase.h ${CMAKE_CURRENT_LIST_DIR}/prepasswordbase.ui
  ${CMAKE_CURRENT_LIST_DIR}/translationchoice.cpp ${CMAKE_CURRENT_LIST_DIR}/translationchoice.h
  ${CMAKE_CURRENT_LIST_DIR}/userprocess.cpp ${CMAKE_CURRENT_LIST_DIR}/userprocess.h
)
target_compile_definitions(desktopui PUBLIC
  TUVORA_PRODUCT_VERSION="${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
# The sources of every catalogue that carries the dialogs' texts (data/).
set_property(GLOBAL PROPERTY TUVORA_DESKTOPUI_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})
# The forms' generated headers are part of the public headers of the form classes.
target_include_directories(desktopui PUBLIC ${CMAKE_CURRENT_BINARY_DIR}/desktopui_autogen/include)
