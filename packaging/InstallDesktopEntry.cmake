# Run at install time: writes the desktop entry with the launcher's full
# path, so that the menu starts the program from any prefix, also one whose
# bin/ is not on PATH (/opt/tavlora). TAVLORA_DESKTOP_ENTRY names the entry
# in the source tree.
file(READ "${TAVLORA_DESKTOP_ENTRY}" entry)
string(REPLACE "Exec=tavlora-free" "Exec=${CMAKE_INSTALL_PREFIX}/bin/tavlora-free" entry "${entry}")
set(target "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/tavlora-free.desktop")
message(STATUS "Installing: ${target}")
file(WRITE "${target}" "${entry}")
