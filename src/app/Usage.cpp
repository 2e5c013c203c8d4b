#include "app/Usage.h"

#ifndef ORVIK_VERSION
#define ORVIK_VERSION "0"
#endif

namespace orvik {
namespace {

constexpr std::u16string_view kOptionWords[] = {
    u"/CF:",     u"/AS",          u"/BATCH",      u"/SIM:",        u"/DC:",  u"/USER:", u"/PWFILE:",
    u"/CAFILE:", u"/NETTIMEOUT:", u"/OPTIMEOUT:", u"/TLSNOVERIFY", u"/PDF:", u"/LDAP",
};

}  // namespace

std::span<const std::u16string_view> OptionWords() { return kOptionWords; }

std::string ProgramVersion() { return ORVIK_VERSION; }

std::string VersionText() { return "orvik " + ProgramVersion() + "\n"; }

std::string UsageText() {
    return R"(Usage: orvik [options]              the window
       orvik /BATCH [options]       a collection run without a window
       orvik /? | --help | --version

The latest logon of every user account, asked of every domain controller.

Options:
  /CF:<file>          the configuration file (default ~/.config/orvik/orvik.cfg)
  /AS                 start collecting as soon as the window is up
  /BATCH              collect, write the export and summary files, save, and end
  /PDF:<file>         with /BATCH: also write the results report as a PDF file
  /SIM:<file>|demo    answer from a simulated directory (a JSON file, or the built-in demo)
  /DC:<name>,<name>   the controllers to list when the configuration lists none
  /LDAP               read the controllers over LDAP (on Linux always; on Windows
                      instead of the network management calls, also implied by /USER:)
  /USER:<name>        bind as this user (user@domain or a DN) inside TLS; without it,
                      as the signed-in user (Linux: Kerberos with the ticket of kinit)
  /PWFILE:<file>|-    the password's file, or standard input (its first line)
  /CAFILE:<file>      CA certificates for TLS (else the system's; Linux only)
  /TLSNOVERIFY        accept any server certificate
  /NETTIMEOUT:<s>     the network timeout in seconds (10)
  /OPTIMEOUT:<s>      the operation timeout in seconds (60)

Exit statuses of /BATCH:
  0  every controller ended Ready
  1  a controller ended in Error; the files were written all the same
  2  a usage or configuration problem; nothing was written
  3  the export, summary, report or configuration file could not be written
)";
}

}  // namespace orvik
