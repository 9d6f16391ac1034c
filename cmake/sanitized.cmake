# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Second copies of the libraries that read and write the card file, built with
# AddressSanitizer and UndefinedBehaviorSanitizer, and of their tests: an overflow, a read past
# a buffer or a leak there stops the test at once. Qt itself is not rebuilt: its allocations
# are only watched through the sanitizer's malloc.
add_library(velmora_sanitize INTERFACE)
target_compile_options(velmora_sanitize INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                  -fno-sanitize-recover=all)
target_link_options(velmora_sanitize INTERFACE -fsanitize=address,undefined)
# The libraries' imported packages are seen only where they were found: found here again.
find_package(tl-expected REQUIRED)
find_package(ZLIB REQUIRED)

# velmora_sanitized_target(OUT lib): the sanitized copy of the project's library `lib`, made
# from its own sources on first use, its project libraries replaced by their copies; other
# libraries (Qt, zlib, header-only targets) are used as they are.
function(velmora_sanitized_target out lib)
  if(TARGET ${lib})
    get_target_property(type ${lib} TYPE)
  endif()
  if(NOT lib MATCHES "^velmora_" OR NOT type STREQUAL "STATIC_LIBRARY")
    set(${out} ${lib} PARENT_SCOPE)
    return()
  endif()
  set(copy ${lib}_asan)
  if(NOT TARGET ${copy})
    get_target_property(dir ${lib} SOURCE_DIR)
    get_target_property(sources ${lib} SOURCES)
    list(TRANSFORM sources PREPEND ${dir}/ REGEX "^[^/]")
    add_library(${copy} STATIC ${sources})
    get_target_property(includes ${lib} INTERFACE_INCLUDE_DIRECTORIES)
    target_include_directories(${copy} PUBLIC ${includes})
    get_target_property(links ${lib} LINK_LIBRARIES)
    velmora_sanitized_targets(copied ${links})
    target_link_libraries(${copy} PUBLIC velmora_sanitize ${copied} PRIVATE velmora_strict_qt)
    set_target_properties(${copy} PROPERTIES VELMORA_SANITIZED ON)
  endif()
  set(${out} ${copy} PARENT_SCOPE)
endfunction()

function(velmora_sanitized_targets out)
  set(result)
  foreach(lib IN LISTS ARGN)
    velmora_sanitized_target(copy ${lib})
    list(APPEND result ${copy})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
