# The binding classes: KvSNMPRequest2Controls (refresh and apply flows, status
# line) and KvSNMPRequest2Edits (edits, combo boxes, check boxes, radio groups,
# labels and the report list view). Included from binding/CMakeLists.txt.
if(OSPREY_BUILD_GUI AND TARGET kvsnmp AND TARGET kvcodec AND TARGET kvconstraint_ui
   AND TARGET kvplatform_ui)
  add_library(kvbinding STATIC
    ${CMAKE_CURRENT_LIST_DIR}/kvsnmprequest2controls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kvsnmprequest2edits.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kvgridlinedelegate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kvfieldmarker.cpp
  )
  target_link_libraries(kvbinding PUBLIC kvsnmp kvcodec kvconstraint_ui kvplatform_ui kvcommon
                        Qt6::Widgets)
endif()
