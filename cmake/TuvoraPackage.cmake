# The Debian package: cpack -G DEB in the build folder gives tuvora_VERSION_ARCH.deb.
# Its maintainer scripts run tuvora-system, which puts the configuration in place on
# install (asking for the administrator password on the terminal when none is set, or
# reading it from the file that TUVORA_PASSWORD_FILE names) and restores squid's and
# e2guardian's own configuration on removal.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tuvora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Parental and classroom control suite")
set(CPACK_PACKAGE_CONTACT "Tuvora maintainers <maintainers@tuvora.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION admin)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
# Each dependency is a decision, listed with what it is for in package-dependencies.txt
# and the README; the package_dependencies test holds the three together.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libc6, libgcc-s1, libstdc++6, libqt6core6, libqt6gui6, libqt6widgets6, libqt6xml6, libqt6network6, libqt6dbus6, libdbus-1-3, libpugixml1v5, libx11-6, squid | squid-openssl, e2guardian, cron, iptables, inotify-tools, imagemagick, x11-xserver-utils, psmisc")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "lighttpd")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Policies of web sites, banned words and desktop applications, in force at the\n hours of a weekly schedule, enforced with squid, e2guardian, iptables and cron.")

set(tuvora_maintainer_dir ${CMAKE_CURRENT_BINARY_DIR}/debian)
set(tuvora_system ${CPACK_PACKAGING_INSTALL_PREFIX}/${TUVORA_SYSTEM_DIR}/tuvora-system)
file(MAKE_DIRECTORY ${tuvora_maintainer_dir})
file(WRITE ${tuvora_maintainer_dir}/postinst "#!/bin/sh
set -e
if [ \"$1\" = configure ]; then
    ${tuvora_system} install
fi
")
file(WRITE ${tuvora_maintainer_dir}/prerm "#!/bin/sh
set -e
if [ \"$1\" = remove ]; then
    ${tuvora_system} remove
fi
")
file(WRITE ${tuvora_maintainer_dir}/postrm "#!/bin/sh
set -e
if [ \"$1\" = purge ]; then
    rm -rf /etc/tuvora /etc/dansguardian /opt/tuvorass /var/lib/tuvora /etc/squid/whitelist
    rm -f /etc/lighttpd/conf-available/50-tuvss.conf
fi
")
file(CHMOD ${tuvora_maintainer_dir}/postinst ${tuvora_maintainer_dir}/prerm ${tuvora_maintainer_dir}/postrm
  PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${tuvora_maintainer_dir}/postinst ${tuvora_maintainer_dir}/prerm ${tuvora_maintainer_dir}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
