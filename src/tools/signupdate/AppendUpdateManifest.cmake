# Writes OUTPUT: a copy of the AppImage APPIMAGE with the update manifest
# MANIFEST appended after the image, then the footer line
# "vellaro-update.json NNNNNNNN" (the manifest's length in bytes, 8 digits).
# The AppImage runtime reads only the image, so the AppImage still runs; the
# updater reads the footer from the end of the signed file.
#   cmake -DAPPIMAGE=… -DMANIFEST=… -DOUTPUT=… -P AppendUpdateManifest.cmake
foreach(argument APPIMAGE MANIFEST OUTPUT)
    if(NOT DEFINED ${argument})
        message(FATAL_ERROR "AppendUpdateManifest: ${argument} is not set")
    endif()
endforeach()
if(NOT EXISTS "${APPIMAGE}" OR IS_DIRECTORY "${APPIMAGE}")
    message(FATAL_ERROR "AppendUpdateManifest: no AppImage at ${APPIMAGE}")
endif()

file(SIZE "${APPIMAGE}" image_size)
set(footer_size 29)
if(image_size GREATER_EQUAL footer_size)
    math(EXPR tail "${image_size} - ${footer_size}")
    file(READ "${APPIMAGE}" last OFFSET ${tail} LIMIT 20 HEX)
    # "vellaro-update.json "
    if(last STREQUAL "76656c6c61726f2d7570646174652e6a736f6e20")
        message(FATAL_ERROR "AppendUpdateManifest: ${APPIMAGE} already carries a manifest; "
                            "start from the AppImage your tool made")
    endif()
endif()

file(READ "${MANIFEST}" manifest)
string(LENGTH "${manifest}" length)
if(length EQUAL 0 OR length GREATER 4096)
    message(FATAL_ERROR "AppendUpdateManifest: ${MANIFEST} must hold 1 to 4096 bytes")
endif()
string(LENGTH "${length}" digits)
math(EXPR padding "8 - ${digits}")
string(REPEAT "0" ${padding} zeros)

file(COPY_FILE "${APPIMAGE}" "${OUTPUT}")
file(APPEND "${OUTPUT}" "${manifest}vellaro-update.json ${zeros}${length}\n")
