target_link_libraries(${name} PRIVATE elements document msgtext view shell comm pages platform)
