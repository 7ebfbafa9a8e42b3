# The product's name, publisher, copyright line and release file names: one source for
# the program's version information, the installer, the release archive and their tests.
# The version number is the project's (project() in the top CMakeLists.txt).
set(BRIMBLO_PRODUCT_NAME "Brimblo儿童英语 之 生活小故事系列")
set(BRIMBLO_DESCRIPTION_EN "Brimblo English for children: life-story lessons")
set(BRIMBLO_DESCRIPTION_ZH "Brimblo儿童英语 之 生活小故事系列 课件播放器")
set(BRIMBLO_PUBLISHER "Brimblo")
set(BRIMBLO_COPYRIGHT "Copyright © 2026 the Brimblo courseware team")

# Installed layout: the folder under Program Files (or of the user's choosing), the
# shortcuts' name, and the key of the uninstall entry in the system's list of programs.
set(BRIMBLO_INSTALL_FOLDER "Brimblo")
set(BRIMBLO_SHORTCUT_NAME "${BRIMBLO_PRODUCT_NAME}")
set(BRIMBLO_UNINSTALL_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brimblo")
set(BRIMBLO_UNINSTALLER_NAME "uninstall.exe")

# What the release target makes (in the cross tree), from a copy of the program without
# its debugging information.
set(BRIMBLO_RELEASE_DIR "${CMAKE_BINARY_DIR}/release")
set(BRIMBLO_RELEASED_PROGRAM "${CMAKE_BINARY_DIR}/packaging/brimblo.exe")
set(BRIMBLO_INSTALLER "${BRIMBLO_RELEASE_DIR}/brimblo-${PROJECT_VERSION}-setup.exe")
set(BRIMBLO_ARCHIVE "${BRIMBLO_RELEASE_DIR}/brimblo-${PROJECT_VERSION}.zip")
