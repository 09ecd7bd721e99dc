# Imported targets for wxWidgets from wx-config, so that windowless libraries
# can link wxBase alone (wx::base) and windows link the GUI libraries (wx::gui).
find_program(WX_CONFIG NAMES wx-config REQUIRED)

function(qv_wx_target target components)
  execute_process(COMMAND ${WX_CONFIG} --cxxflags ${components}
                  OUTPUT_VARIABLE cxx OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${WX_CONFIG} --libs ${components}
                  OUTPUT_VARIABLE libs OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(cxx UNIX_COMMAND "${cxx}")
  separate_arguments(libs UNIX_COMMAND "${libs}")
  set(includes "")
  set(defines "")
  set(options "")
  foreach(flag IN LISTS cxx)
    if(flag MATCHES "^-I(.*)")
      list(APPEND includes "${CMAKE_MATCH_1}")
    elseif(flag MATCHES "^-D(.*)")
      # wxUSE_GUI=0 must not travel to GUI code that links a windowless library;
      # qv_windowless() sets it on the windowless libraries themselves.
      if(NOT CMAKE_MATCH_1 STREQUAL "wxUSE_GUI=0")
        list(APPEND defines "${CMAKE_MATCH_1}")
      endif()
    else()
      list(APPEND options "${flag}")
    endif()
  endforeach()
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  target_include_directories(${target} SYSTEM INTERFACE ${includes})
  target_compile_definitions(${target} INTERFACE ${defines})
  target_compile_options(${target} INTERFACE ${options})
  target_link_libraries(${target} INTERFACE ${libs})
endfunction()

qv_wx_target(wx::base "base")
qv_wx_target(wx::gui "std,aui,richtext,html,propgrid,ribbon,net,webview")

# Marks a library as windowless: it is compiled without the GUI part of wxWidgets.
function(qv_windowless target)
  target_compile_definitions(${target} PRIVATE wxUSE_GUI=0)
endfunction()

# Publishes a library's sources, with full paths, as QV_SOURCES_<target>, for the fuzz targets
# that compile the same code with another compiler.
function(qv_export_sources target)
  get_target_property(sources ${target} SOURCES)
  list(TRANSFORM sources PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  set(QV_SOURCES_${target} ${sources} CACHE INTERNAL "Sources of ${target}")
endfunction()
