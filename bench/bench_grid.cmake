target_link_libraries(${name} PRIVATE controls platform_host)
