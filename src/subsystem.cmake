# Each subsystem folder: its game logic (*.cpp) goes to zel_logic, its forms (forms/*.cpp with
# their .ui templates) to zel_forms.
function(zel_subsystem)
    file(GLOB logic CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    file(GLOB forms CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/forms/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/forms/*.ui)
    if(logic)
        target_sources(zel_logic PRIVATE ${logic})
    endif()
    if(forms)
        target_sources(zel_forms PRIVATE ${forms})
        set_property(TARGET zel_forms APPEND PROPERTY AUTOUIC_SEARCH_PATHS ${CMAKE_CURRENT_SOURCE_DIR}/forms)
    endif()
endfunction()
