# The implementer's constants, settable at configure time.
set(VELKORA_TIME_SERVER_URL "http://www.baidu.com" CACHE STRING
    "Base URL of the HTTP server whose Date header sets the clock (no trailing /)")
set(VELKORA_UPDATE_SERVER_HOST "" CACHE STRING
    "Update server host, optionally host:port; empty: no update server")
set(VELKORA_MAKER_NAME "Velkora 工作室" CACHE STRING "Maker's name in the about text")
set(VELKORA_MAKER_WEBSITE "http://velkora.example.com" CACHE STRING
    "Maker's web address in the about text and shortcut descriptions")
set(VELKORA_SINGLE_INSTANCE_NAME "Velkora6.SingleInstance" CACHE STRING
    "Name of the instance mutex and of the main window's property")

configure_file(${CMAKE_CURRENT_LIST_DIR}/velkora_config.h.in
               ${CMAKE_BINARY_DIR}/generated/velkora_config.h @ONLY)
