# Writes the winget manifest of a built installer: one singleton file
# with its SHA-256, its switches and the Apps & features entry it makes.
# Run by the build after install.exe is linked, and by hand after signing
# (signing changes the file, and so its hash):
#   cmake -DINSTALLER=build/install.exe -DOUTPUT=build/orvel.winget.yaml \
#     -DSOURCE_DIR=. -DURL=https://... -DARCH=x86 -P cmake/winget_manifest.cmake
foreach(needed INSTALLER OUTPUT SOURCE_DIR URL ARCH)
  if(NOT DEFINED ${needed})
    message(FATAL_ERROR "winget_manifest.cmake needs -D${needed}=")
  endif()
endforeach()

# The version and maker the installer writes into Apps & features.
file(STRINGS "${SOURCE_DIR}/product/orvel_version.h" line
  REGEX "#define ORVEL_VERSION \"")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" version "${line}")
file(STRINGS "${SOURCE_DIR}/resources/resource_ids.h" line
  REGEX "#define PUBLISHER_NAME \"")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" publisher "${line}")
string(REGEX REPLACE " .*" "" maker "${publisher}")
file(SHA256 "${INSTALLER}" sha256)
string(TOUPPER "${sha256}" sha256)

file(WRITE "${OUTPUT}" "\
# yaml-language-server: $schema=https://aka.ms/winget-manifest.singleton.1.6.0.schema.json
PackageIdentifier: ${maker}.Orvel
PackageVersion: \"${version}\"
PackageLocale: en-US
Publisher: ${publisher}
PackageName: Orvel
License: Proprietary
ShortDescription: The Orvel desktop application.
Installers:
  - Architecture: ${ARCH}
    InstallerType: exe
    Scope: machine
    ElevationRequirement: elevatesSelf
    InstallerUrl: ${URL}
    InstallerSha256: ${sha256}
    InstallerSwitches:
      Silent: /S
      SilentWithProgress: /S
      InstallLocation: /D=<INSTALLPATH>
      Log: /LOG=<LOGPATH>
    ExpectedReturnCodes:
      - InstallerReturnCode: 1618
        ReturnResponse: installInProgress
      - InstallerReturnCode: 75
        ReturnResponse: packageInUse
      - InstallerReturnCode: 1639
        ReturnResponse: invalidParameter
      - InstallerReturnCode: 70
        ReturnResponse: fileInUse
      - InstallerReturnCode: 28
        ReturnResponse: diskFull
      - InstallerReturnCode: 12
        ReturnResponse: invalidParameter
      - InstallerReturnCode: 40
        ReturnResponse: invalidParameter
      - InstallerReturnCode: 41
        ReturnResponse: invalidParameter
    AppsAndFeaturesEntries:
      - DisplayName: Orvel
        Publisher: ${publisher}
        DisplayVersion: \"${version}\"
        ProductCode: Orvel
        InstallerType: exe
ManifestType: singleton
ManifestVersion: 1.6.0
")
