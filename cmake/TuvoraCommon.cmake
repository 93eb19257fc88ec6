# Compiler settings shared by every target of the suite.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTOUIC ON)
set(CMAKE_AUTORCC ON)

find_package(Qt6 6.4 REQUIRED COMPONENTS Core Xml)
find_package(pugixml REQUIRED)

add_library(tuvora_common INTERFACE)
target_compile_features(tuvora_common INTERFACE cxx_std_20)
target_compile_options(tuvora_common INTERFACE -Wall -Wextra)
if(TUVORA_WERROR)
  target_compile_options(tuvora_common INTERFACE -Werror)
endif()
target_compile_definitions(tuvora_common INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_URL_CAST_FROM_STRING
  QT_DISABLE_DEPRECATED_UP_TO=0x060000)
if(TUVORA_SANITIZE)
  target_compile_options(tuvora_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
  target_link_options(tuvora_common INTERFACE -fsanitize=address,undefined)
endif()

# Where the installed suite lives; the programs use these fixed paths at run time.
set(TUVORA_SYSCONF_DIR "/etc/tuvora")
set(TUVORA_LANG_DIR "/usr/share/tuvora/lang")
set(TUVORA_DOC_DIR "/usr/share/doc/tuvora")

# "format" applies .clang-format to the project's C++ sources.
find_program(CLANG_FORMAT_EXECUTABLE NAMES clang-format clang-format-14)
if(CLANG_FORMAT_EXECUTABLE)
  add_custom_target(format
    COMMAND sh -c "git ls-files -- '*.cpp' '*.h' | xargs -r ${CLANG_FORMAT_EXECUTABLE} -i"
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Formatting the sources with clang-format")
endif()
