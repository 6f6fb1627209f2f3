# Installs the build in BUILD_DIR below the scratch root ROOT (DESTDIR, prefix /usr) as the
# Debian package lays it out, then checks the files a desktop installation needs.
# Run by CTest: cmake -DBUILD_DIR=... -DROOT=... -P CheckInstall.cmake
file(REMOVE_RECURSE ${ROOT})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${ROOT} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(result)
    message(FATAL_ERROR "cmake --install failed: ${errors}")
endif()

set(failures "")
set(share ${ROOT}/usr/share)
foreach(path bin/velmor share/man/man1/velmor.1.gz share/applications/velmor.desktop
             share/metainfo/com.dravik.velmor.metainfo.xml share/icons/hicolor/scalable/apps/velmor.svg
             share/velmor/velmor.ini share/velmor/Help/velmor.html
             share/velmor/exercises/2x2-basics.txt)
    if(NOT EXISTS ${ROOT}/usr/${path})
        string(APPEND failures "missing /usr/${path}\n")
    endif()
endforeach()

# Each PNG icon is as large as its folder says (width and height from the PNG header).
foreach(size 48 128 256)
    set(icon ${share}/icons/hicolor/${size}x${size}/apps/velmor.png)
    if(NOT EXISTS ${icon})
        string(APPEND failures "missing icon ${size}x${size}\n")
        continue()
    endif()
    file(READ ${icon} header OFFSET 16 LIMIT 8 HEX)
    math(EXPR expected "${size}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${expected}" 2 -1 digits)
    string(LENGTH "${digits}" n)
    math(EXPR pad "8 - ${n}")
    string(REPEAT "0" ${pad} zeros)
    if(NOT header STREQUAL "${zeros}${digits}${zeros}${digits}")
        string(APPEND failures "icon ${size}x${size} has the header ${header}\n")
    endif()
endforeach()

# The desktop entry starts Velmor wherever the desktop starts it (no Path=).
file(READ ${share}/applications/velmor.desktop entry)
if(entry MATCHES "(^|\n)Path=")
    string(APPEND failures "the desktop entry sets Path=\n")
endif()
if(NOT entry MATCHES "\nCategories=Education;Math;Science;Qt;\n")
    string(APPEND failures "the desktop entry's categories differ\n")
endif()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
foreach(tool DESKTOP_FILE_VALIDATE APPSTREAMCLI)
    if(NOT ${tool})
        string(APPEND failures "${tool} not found: run scripts/install-deps\n")
    endif()
endforeach()
if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${share}/applications/velmor.desktop
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(result)
        string(APPEND failures "desktop-file-validate: ${out}\n")
    endif()
endif()
if(APPSTREAMCLI)
    execute_process(COMMAND ${APPSTREAMCLI} validate --no-net --no-color
                            ${share}/metainfo/com.dravik.velmor.metainfo.xml
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(result)
        string(APPEND failures "appstreamcli validate: ${out}\n")
    endif()
endif()

if(failures)
    message(FATAL_ERROR "${failures}")
endif()
