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
# Installing relinks the programs instead of editing their run paths in place: the
# editing needs room reserved in the build tree's run path, an empty entry, which
# makes the loader search the current folder.
set(CMAKE_NO_BUILTIN_CHRPATH ON)

find_package(Qt6 6.4 REQUIRED COMPONENTS Core)
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

# The suite's fixed places on the machine, from the one list that the programs and
# the scripts read too: engine/paths.h. Each becomes TUVORA_PATH_<name>.
file(STRINGS ${PROJECT_SOURCE_DIR}/engine/paths.h tuvora_places
  REGEX "^inline constexpr char [A-Za-z0-9_]+\\[\\] = \"[^\"]+\";$")
foreach(place IN LISTS tuvora_places)
  string(REGEX REPLACE "^inline constexpr char ([A-Za-z0-9_]+)\\[\\] = \"([^\"]+)\";$" "\\1;\\2" place "${place}")
  list(GET place 0 name)
  list(GET place 1 value)
  set(TUVORA_PATH_${name} ${value})
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/engine/paths.h)

# "format" applies .clang-format to the project's C++ sources.
find_program(CLANG_FORMAT_EXECUTABLE NAMES clang-format clang-format-14)
if(CLANG_FORMAT_EXECUTABLE)
  add_custom_target(format
    COMMAND sh -c "git ls-files -- '*.cpp' '*.h' | xargs -r ${CLANG_FORMAT_EXECUTABLE} -i"
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Formatting the sources with clang-format")
endif()
