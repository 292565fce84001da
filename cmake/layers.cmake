# Layers enforced by the build. Includes are written from the source root
# ("snmp/kvsnmprequest.h"), so the source root itself is nobody's include
# directory: it would expose every folder to every library. Instead each
# library has an include root of its own in the build tree,
#
#   <build>/layers/<library>/<folder> -> <source>/<folder>
#
# holding links to the folders (or single headers) the library owns, and gives
# it as its PUBLIC include directory. A library thus sees its own folders and
# those of what it links, nothing else: an include of a higher layer's header
# fails to build. Tests and benchmarks see the whole source root.
#
#   kv_expose(<library> <folder or header> ...)
#
# Order of the layers (each may use the ones to its right):
#   shell -> forms -> tables -> pages -> binding -> snmp -> common -> platform
# tables (the page tables, the value-name lists and the menu tree) is
# plain data on Qt Core and the widget-free part of the page framework, shared
# with the command-line export. browser/, switches/, sim/, export/, tests/ and
# bench/ are leaves. journal/ (the change journal: Qt Core on snmp) is a leaf
# library that the programs (shell, browser, osprey-config) link.
include_guard(GLOBAL)

function(kv_expose target)
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  foreach(path IN LISTS ARGN)
    set(source ${CMAKE_SOURCE_DIR}/${path})
    if(NOT EXISTS ${source})
      message(FATAL_ERROR "kv_expose(${target}): ${path} does not exist")
    endif()
    set(link ${root}/${path})
    get_filename_component(parent ${link} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    # Made again on every configure: the source tree may have moved.
    if(IS_SYMLINK ${link})
      file(REMOVE ${link})
    endif()
    file(CREATE_LINK ${source} ${link} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
