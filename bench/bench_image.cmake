target_link_libraries(${name} PRIVATE image document elements msgtext platform)
