target_link_libraries(${name} PRIVATE document elements msgtext view shell platform)
