cmake_minimum_required(VERSION 3.25)
# Fails the build when a source includes a header of a layer it may not use.
# Run as: cmake -DSOURCE_DIR=... -P CheckLayers.cmake
#
# Each folder names the folders whose headers it may include (itself always).
set(ALLOWED_nodeconf "")
set(ALLOWED_platform "")
set(ALLOWED_settings "")
set(ALLOWED_wire "nodeconf")
set(ALLOWED_link "wire;platform;nodeconf")
set(ALLOWED_protocol "link;wire;platform;nodeconf")
set(ALLOWED_transfer "protocol;link;wire;platform;nodeconf")
set(ALLOWED_worker "transfer;protocol;link;wire;platform;nodeconf;settings")
set(ALLOWED_editor/model "nodeconf")
set(ALLOWED_sim "wire;nodeconf")
set(ALLOWED_controls/model "editor/model;nodeconf")
set(ALLOWED_reports/model "nodeconf;controls/model;editor/model")
set(ALLOWED_tools/model "nodeconf;worker")
set(ALLOWED_app/model "nodeconf;editor/model;reports/model;controls/model;worker;settings")
# The windows: of the node communication only the worker's headers, the
# progress word and the failure text's length.
set(GUI_ALLOWED "nodeconf;settings;worker;editor/model;controls/model;reports/model;tools/model;app/model;controls;reports;resources;app;editor;tools")
# The frame also chooses the port and runs the link's thread (link/Link.h),
# and the program carries the virtual node for demonstrations (sim/).
set(GUI_FILES "transfer/ProgressWord.h;transfer/TransferMessage.h;link/Link.h")
foreach(gui controls reports resources app editor tools)
  set(ALLOWED_${gui} "${GUI_ALLOWED}")
  set(ALLOWED_FILES_${gui} "${GUI_FILES}")
endforeach()
list(APPEND ALLOWED_app sim)
# The window program's plain logic may use the same two files.
set(ALLOWED_FILES_app/model "transfer/ProgressWord.h;transfer/TransferMessage.h")
set(LAYERS nodeconf platform settings wire link protocol transfer worker editor/model sim
           controls/model reports/model tools/model app/model controls reports resources app editor tools)

set(failures "")
foreach(layer ${LAYERS})
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
  foreach(source ${sources})
    file(RELATIVE_PATH rel ${SOURCE_DIR} ${source})
    # A model folder inside a GUI folder is its own layer.
    if(NOT layer MATCHES "/model$" AND rel MATCHES "^${layer}/model/")
      continue()
    endif()
    file(STRINGS ${source} includes REGEX "^#include \"[^\"]+\"")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
      string(REGEX MATCH "^([^/]+/model|[^/]+)/" prefix "${header}")
      string(REGEX REPLACE "/$" "" target "${prefix}")
      if(target STREQUAL "" OR target STREQUAL layer)
        continue()
      endif()
      if(target IN_LIST ALLOWED_${layer} OR header IN_LIST ALLOWED_FILES_${layer})
        continue()
      endif()
      list(APPEND failures "${rel}: ${layer}/ may not include \"${header}\"")
    endforeach()
  endforeach()
endforeach()
if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
