# Fills the desktop entry and the AppStream metadata with the MIME types in
# MIME_LIST (one a line); run by the build with cmake -P.
file(STRINGS ${MIME_LIST} mime_types)

list(JOIN mime_types ";" LUMAGROVE_DESKTOP_MIME_TYPES)
string(APPEND LUMAGROVE_DESKTOP_MIME_TYPES ";")
list(TRANSFORM mime_types PREPEND "    <mediatype>" OUTPUT_VARIABLE media_types)
list(TRANSFORM media_types APPEND "</mediatype>")
list(JOIN media_types "\n" LUMAGROVE_METAINFO_MEDIA_TYPES)

configure_file(${SOURCE}/lumagrove.desktop.in ${DESKTOP_ENTRY} @ONLY)
configure_file(${SOURCE}/org.lumagrove.Lumagrove.metainfo.xml.in ${METAINFO} @ONLY)
