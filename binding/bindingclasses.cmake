# The binding classes: KvSNMPRequest2Controls (refresh and apply flows, status
# line) and KvSNMPRequest2Edits (edits, combo boxes, check boxes, radio groups,
# labels and the report list view). Included from binding/CMakeLists.txt.
  add_library(kvbinding STATIC
    ${CMAKE_CURRENT_LIST_DIR}/kvsnmprequest2controls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kvsnmprequest2edits.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controlbinding.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kveditparts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kvlistviewbinding.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kvradiogroup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kvgridlinedelegate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kvfieldmarker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kvlistrow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kvlistviewactions.cpp
  )
  kv_expose(kvbinding binding)
  # The list views hold their helpers by type (Q_OBJECT).
  set_target_properties(kvbinding PROPERTIES AUTOMOC ON)
  target_link_libraries(kvbinding PUBLIC kvsnmp kvcodec kvconstraint_ui kvplatform_ui kvcommon Qt6::Widgets)
