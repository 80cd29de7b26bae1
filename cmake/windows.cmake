# The Windows build, cross-built by scripts/windows.sh: freeglut linked in statically, the
# compiler's runtimes too, so that orvena.exe needs no DLL that Windows lacks, and a zip to ship.

# freeglut's static library (FindGLUT finds the one scripts/windows.sh builds) needs its own
# define in every file that includes its header, and the system libraries after it, in the
# order that the linker resolves them.
set_target_properties(GLUT::GLUT PROPERTIES
    INTERFACE_COMPILE_DEFINITIONS FREEGLUT_STATIC
    INTERFACE_LINK_LIBRARIES "glu32;opengl32;gdi32;winmm")
# -static brings libgcc, libstdc++ and winpthread in; -mconsole makes a console program, so
# that Windows opens a console for the console line when the program is started from Explorer.
target_sources(orvena PRIVATE src/app/windows.cpp)
target_link_options(orvena PRIVATE -static -mconsole)

# Windows itself probes every stack frame larger than a page (__chkstk), and GCC 12 cannot
# build the stack clash probes for it at all (an internal compiler error in quit.cpp); the
# ELF linker's -z options do not apply to a PE program either. The stack protector's runtime
# (libssp) is linked in when the link itself is given the flag.
list(REMOVE_ITEM hardening_flags -fstack-clash-protection)
set_property(TARGET orvena_hardening PROPERTY INTERFACE_COMPILE_OPTIONS
    "$<${hardened_build}:${hardening_flags}>"
    "$<$<CXX_COMPILER_ID:GNU,Clang>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>")
set_property(TARGET orvena_hardening PROPERTY INTERFACE_LINK_OPTIONS
    "$<${hardened_build}:-fstack-protector-strong>")


# `cpack` makes orvena-VERSION-win64.zip: the program, the licence and a short README.txt, in a
# folder of the same name.
configure_file(packaging/windows/README.txt.in README.txt @ONLY NEWLINE_STYLE CRLF)
install(TARGETS orvena RUNTIME DESTINATION .)
install(FILES LICENSE ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME orvena)
set(CPACK_PACKAGE_FILE_NAME orvena-${PROJECT_VERSION}-win64)
set(CPACK_STRIP_FILES ON)
include(CPack)
