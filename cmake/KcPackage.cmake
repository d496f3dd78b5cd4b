# SPDX-License-Identifier: Apache-2.0
# Debian packages by CPack (scripts/package.sh): kartocheck and one package per
# terminal library, dependencies from dpkg-shlibdeps.
# cpack installs what scripts/package.sh built, without building the tests first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME kartocheck)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "KartoCheck <kartocheck@example.org>")
set(CPACK_PACKAGE_VENDOR "KartoCheck")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kartocheck.example.org/")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
# Lets dpkg-shlibdeps find nothing of ours outside the package: the programs
# link no project library.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

set(kc_packages kartocheck simulator serial)
if(TARGET ctapi-pcsc)
  list(APPEND kc_packages pcsc)
endif()
set(CPACK_COMPONENTS_ALL ${kc_packages})

set(CPACK_DEBIAN_KARTOCHECK_PACKAGE_NAME kartocheck)
# An installed program offers its terminal libraries on first start; the simulator only on request.
set(CPACK_DEBIAN_KARTOCHECK_PACKAGE_RECOMMENDS "kartocheck-pcsc, kartocheck-serial")
set(CPACK_DEBIAN_KARTOCHECK_PACKAGE_SUGGESTS "kartocheck-simulator")
set(CPACK_COMPONENT_KARTOCHECK_DESCRIPTION
  "test tool for chip-card terminals of German doctors' practices\n\
KartoCheck finds the card terminal (MKT) through its CT-API library,\n\
identifies it, reads the health insurance card (KVK or eGK) or a handheld\n\
terminal's stored record, validates the eGK documents and guides a diagnosis.\n\
This package holds the window program, the console program and the schemas.")

set(CPACK_DEBIAN_SIMULATOR_PACKAGE_NAME kartocheck-simulator)
set(CPACK_DEBIAN_SIMULATOR_PACKAGE_ENHANCES kartocheck)
set(CPACK_DEBIAN_SIMULATOR_PACKAGE_SECTION devel)
set(CPACK_COMPONENT_SIMULATOR_DESCRIPTION
  "card terminal simulator for KartoCheck\n\
A CT-API library that plays stationary and handheld card terminals with\n\
KVK and eGK cards, for training and tests without hardware. It is used only\n\
when chosen explicitly; KartoCheck then marks it as \"Simulator\".")

set(CPACK_DEBIAN_SERIAL_PACKAGE_NAME kartocheck-serial)
set(CPACK_DEBIAN_SERIAL_PACKAGE_ENHANCES kartocheck)
set(CPACK_COMPONENT_SERIAL_DESCRIPTION
  "CT-API library for serial card terminals, for KartoCheck\n\
Talks T=1 to card terminals (MKT) on serial ports. The user needs to be in\n\
the dialout group to open them.")

set(CPACK_DEBIAN_PCSC_PACKAGE_NAME kartocheck-pcsc)
set(CPACK_DEBIAN_PCSC_PACKAGE_ENHANCES kartocheck)
set(CPACK_DEBIAN_PCSC_PACKAGE_RECOMMENDS pcscd)
set(CPACK_COMPONENT_PCSC_DESCRIPTION
  "CT-API library for PC/SC card readers, for KartoCheck\n\
Makes every reader that pcscd knows a card terminal at port 0x2000 + n.")

# Every package carries its copyright and changelog, as Debian requires.
foreach(component ${kc_packages})
  string(TOUPPER ${component} upper)
  set(doc_name ${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
  set(changelog ${CMAKE_BINARY_DIR}/package-doc/${doc_name}/changelog.Debian.gz)
  configure_file(${PROJECT_SOURCE_DIR}/dist/changelog.Debian.in
                 ${CMAKE_BINARY_DIR}/package-doc/${doc_name}/changelog.Debian @ONLY)
  add_custom_command(OUTPUT ${changelog}
    COMMAND gzip -9 -n -c ${CMAKE_BINARY_DIR}/package-doc/${doc_name}/changelog.Debian > ${changelog}
    DEPENDS ${CMAKE_BINARY_DIR}/package-doc/${doc_name}/changelog.Debian)
  list(APPEND kc_changelogs ${changelog})
  install(FILES ${PROJECT_SOURCE_DIR}/dist/copyright ${changelog}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${doc_name} COMPONENT ${component})
endforeach()
add_custom_target(kartocheck_package_docs ALL DEPENDS ${kc_changelogs})

include(CPack)
