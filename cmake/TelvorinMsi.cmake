# Builds the Windows Installer package of an installed Windows tree (the dist folder) with wixl.
# Usage: cmake -DROOT=<dist> -DVERSION=<a.b.c[.d]> -DOUTPUT=<file.msi> [-DARCH=x64|x86] [-DWIXL=<wixl>]
#        -P cmake/TelvorinMsi.cmake
#
# The package installs the tree's files per machine into [ProgramFiles64Folder]Telvorin\ (x86: [ProgramFilesFolder])
# and nothing else: no
# registry values, no PATH, no services, no custom actions. Its codes are derived, never random, so that the same
# tree and version give the same package:
# - the UpgradeCode is fixed for the product's life: it is what makes one version replace another;
# - the ProductCode is derived from the version, so each version is a product of its own, which a major upgrade
#   requires;
# - each component's code is derived from its file's path, so a file keeps its component from version to version.
# - the x86 and x64 packages share both codes: a machine holds one Telvorin, of the bitness of its Office. A newer
#   version of either replaces an older one of either; the other bitness of the same version is refused as the same
#   product already installed, rather than laid beside it. Their components differ (other folder, other bitness).
# Windows Installer compares only the first three fields of a version: two packages that differ only in the fourth
# are the same version to it, and neither replaces the other.
cmake_minimum_required(VERSION 3.25)
foreach(var ROOT VERSION OUTPUT)
  if(NOT ${var})
    message(FATAL_ERROR "TelvorinMsi.cmake: -D${var}=... is missing")
  endif()
endforeach()
if(NOT WIXL)
  find_program(WIXL wixl REQUIRED)
endif()
get_filename_component(ROOT "${ROOT}" ABSOLUTE)
if(NOT EXISTS "${ROOT}/telvorin.exe")
  message(FATAL_ERROR "TelvorinMsi.cmake: no telvorin.exe in ${ROOT}")
endif()
if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)(\\.[0-9]+)?$"
   OR CMAKE_MATCH_1 GREATER 255 OR CMAKE_MATCH_2 GREATER 255 OR CMAKE_MATCH_3 GREATER 65535)
  message(FATAL_ERROR "TelvorinMsi.cmake: '${VERSION}' is no Windows Installer version (0-255.0-255.0-65535[.n])")
endif()

if(NOT ARCH)
  set(ARCH x64)
endif()
if(ARCH STREQUAL "x64")
  set(program_files ProgramFiles64Folder)
  set(win64 yes)
  set(component_prefix "")
elseif(ARCH STREQUAL "x86")
  set(program_files ProgramFilesFolder)
  set(win64 no)
  set(component_prefix "x86 ")
else()
  message(FATAL_ERROR "TelvorinMsi.cmake: ARCH '${ARCH}' is neither x64 nor x86")
endif()

set(upgrade_code B0A13FDA-4534-4C03-9391-D33B270D230E)
string(UUID product_code NAMESPACE ${upgrade_code} NAME "product ${VERSION}" TYPE SHA1 UPPER)

# The tree as Directory, Component and File elements, and the components' list for the feature. Ids are hashes of
# the path: Windows Installer allows only letters, digits, '_' and '.' in them, and no more than 72 characters.
set(component_refs "")
function(add_folder relative indent out_var)
  set(xml "")
  set(dir "${ROOT}")
  if(relative)
    set(dir "${ROOT}/${relative}")
  endif()
  file(GLOB entries LIST_DIRECTORIES true RELATIVE "${dir}" "${dir}/*")
  list(SORT entries)
  foreach(name IN LISTS entries)
    # Names go into XML and a cabinet as they are: ours and Qt's are plain, anything else is a mistake to catch here.
    if(NOT name MATCHES "^[A-Za-z0-9_.+-]+$")
      message(FATAL_ERROR "TelvorinMsi.cmake: '${relative}/${name}' is no name the package may carry")
    endif()
    set(path "${name}")
    if(relative)
      set(path "${relative}/${name}")
    endif()
    string(SHA1 hash "${path}")
    string(SUBSTRING ${hash} 0 20 hash)
    if(IS_DIRECTORY "${dir}/${name}")
      add_folder("${path}" "${indent}  " inner)
      string(APPEND xml "${indent}<Directory Id=\"d${hash}\" Name=\"${name}\">\n${inner}${indent}</Directory>\n")
    else()
      string(UUID guid NAMESPACE ${upgrade_code} NAME "${component_prefix}component ${path}" TYPE SHA1 UPPER)
      string(APPEND xml "${indent}<Component Id=\"c${hash}\" Guid=\"${guid}\" Win64=\"${win64}\">\n"
                        "${indent}  <File Id=\"f${hash}\" Name=\"${name}\" Source=\"${path}\" KeyPath=\"yes\"/>\n"
                        "${indent}</Component>\n")
      set_property(GLOBAL APPEND_STRING PROPERTY telvorin_msi_refs "      <ComponentRef Id=\"c${hash}\"/>\n")
    endif()
  endforeach()
  set(${out_var} "${xml}" PARENT_SCOPE)
endfunction()
add_folder("" "          " files)
get_property(component_refs GLOBAL PROPERTY telvorin_msi_refs)

# What Programs and Features says the product is.
set(arp_comments "Command-line tool that hands e-mail work from other programs to the desktop mail system:")
string(APPEND arp_comments " saves mails and attachments from Outlook, sends mail through Simple MAPI")
# A Simple MAPI client must have the mail client's bitness, so the package says which Office it is for.
if(win64)
  set(office "For 64-bit Office; 32-bit Office needs the x86 package.")
else()
  set(office "For 32-bit Office; 64-bit Office needs the x64 package.")
endif()
string(APPEND arp_comments ". ${office}")
get_filename_component(output "${OUTPUT}" ABSOLUTE)
set(wxs "${output}.wxs")
file(WRITE "${wxs}" "<?xml version=\"1.0\" encoding=\"utf-8\"?>
<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">
  <Product Id=\"${product_code}\" UpgradeCode=\"${upgrade_code}\" Name=\"Telvorin\" Version=\"${VERSION}\"
           Manufacturer=\"The Telvorin developers\" Language=\"1033\" Codepage=\"1252\">
    <Package InstallerVersion=\"500\" Compressed=\"yes\" InstallScope=\"perMachine\"
             Description=\"Telvorin ${VERSION} (${ARCH}). ${office}\" Manufacturer=\"The Telvorin developers\"/>
    <MajorUpgrade DowngradeErrorMessage=\"Eine neuere Version von Telvorin ist bereits installiert.\"/>
    <Media Id=\"1\" Cabinet=\"telvorin.cab\" EmbedCab=\"yes\"/>
    <Property Id=\"ARPNOMODIFY\" Value=\"1\"/>
    <Property Id=\"ARPNOREPAIR\" Value=\"1\"/>
    <Property Id=\"ARPCONTACT\" Value=\"The Telvorin developers &lt;telvorin@example.org&gt;\"/>
    <Property Id=\"ARPCOMMENTS\" Value=\"${arp_comments}\"/>
    <Directory Id=\"TARGETDIR\" Name=\"SourceDir\">
      <Directory Id=\"${program_files}\">
        <Directory Id=\"INSTALLDIR\" Name=\"Telvorin\">
${files}        </Directory>
      </Directory>
    </Directory>
    <Feature Id=\"Telvorin\" Level=\"1\">
${component_refs}    </Feature>
  </Product>
</Wix>
")
# wixl takes no absolute source paths: it finds the files relative to the folder it runs in.
execute_process(COMMAND "${WIXL}" -a ${ARCH} -o "${output}" "${wxs}" WORKING_DIRECTORY "${ROOT}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "TelvorinMsi.cmake: wixl failed on ${wxs}")
endif()
