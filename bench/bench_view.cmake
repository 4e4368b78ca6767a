target_link_libraries(${name} PRIVATE view document elements msgtext shell resources platform)
