#include "platform/DemoDirectory.h"

namespace orvik {

std::string_view DemoDirectoryJson() {
    return R"json({
  "primaryDomain": "CORP",
  "controllers": [
    { "name": "CORP-DC1", "domain": "CORP", "pageSize": 500,
      "users": [
        { "name": "Administrator", "fullName": "", "lastLogon": 1764590000,
          "description": "Built-in account for administering the computer/domain" },
        { "name": "jdoe", "fullName": "John Doe", "description": "Sales", "lastLogon": 1764000000 },
        { "name": "asmith", "fullName": "Ann Smith", "description": "Finance", "lastLogon": 0 },
        { "name": "svc-backup", "fullName": "Backup Service", "description": "Nightly backup", "lastLogon": 1764650000 }
      ],
      "generate": { "count": 2400, "seed": 1, "prefix": "user" } },
    { "name": "CORP-DC2", "domain": "CORP", "pageSize": 500, "delayMs": 400,
      "users": [
        { "name": "Administrator", "fullName": "", "lastLogon": 1764000000,
          "description": "Built-in account for administering the computer/domain" },
        { "name": "JDOE", "fullName": "Johnny Doe", "description": "Marketing", "lastLogon": 1764700000 },
        { "name": "asmith", "fullName": "Ann Smith", "description": "Finance", "lastLogon": 1760000000 }
      ],
      "generate": { "count": 2400, "seed": 2, "prefix": "user" } },
    { "name": "CORP-DC3", "domain": "CORP", "pageSize": 500, "failCode": 1722, "failAtCall": 3,
      "generate": { "count": 2400, "seed": 3, "prefix": "user" } },
    { "name": "LAB-DC1", "domain": "LAB", "pageSize": 400,
      "users": [ { "name": "jdoe", "fullName": "John Doe (lab)", "description": "Test account", "lastLogon": 1750000000 } ],
      "generate": { "count": 900, "seed": 4, "prefix": "lab" } },
    { "name": "LAB-DC2", "domain": "LAB", "pageSize": 400, "moreDataZeroResume": 1,
      "generate": { "count": 1000, "seed": 5, "prefix": "lab" } }
  ]
})json";
}

}  // namespace orvik
