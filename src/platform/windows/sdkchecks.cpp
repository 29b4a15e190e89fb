// SPDX-License-Identifier: MIT
// Our own copies of the Windows SDK's request codes, flags and structures must match the
// SDK's byte for byte: the drive code builds requests with them on every platform, and the
// Windows back-ends hand them to the system unchanged. Each value is checked here, where the
// SDK's headers and ours meet, so a wrong copy fails the Windows build.
#include "drive/nvmestructs.h"
#include "drive/smartstructs.h"
#include "monitor/eventlogapi.h"
#include "monitor/power.h"

#include <cstddef>
#include <windows.h>
#include <winioctl.h>

namespace orvane {

static_assert(kSmartGetVersion == SMART_GET_VERSION);
static_assert(kSmartSendDriveCommand == SMART_SEND_DRIVE_COMMAND);
static_assert(kSmartRcvDriveData == SMART_RCV_DRIVE_DATA);
static_assert(kAtaIdentifyDevice == ID_CMD);
static_assert(kAtaIdentifyPacketDevice == ATAPI_ID_CMD);
static_assert(kAtaSmartCommand == SMART_CMD);
static_assert(kSmartReadAttributeValues == READ_ATTRIBUTES);
static_assert(kSmartReadAttributeThresholds == READ_THRESHOLDS);
static_assert(kSmartEnableOperations == ENABLE_SMART);
static_assert(kSmartCylLow == SMART_CYL_LOW);
static_assert(kSmartCylHigh == SMART_CYL_HI);

static_assert(sizeof(::GETVERSIONINPARAMS) == 24);
static_assert(sizeof(::GETVERSIONINPARAMS) == sizeof(GETVERSIONINPARAMS));
static_assert(offsetof(::GETVERSIONINPARAMS, bIDEDeviceMap) == offsetof(GETVERSIONINPARAMS, bIDEDeviceMap));
static_assert(offsetof(::GETVERSIONINPARAMS, fCapabilities) == offsetof(GETVERSIONINPARAMS, fCapabilities));
static_assert(sizeof(::IDEREGS) == sizeof(IDEREGS));
static_assert(offsetof(::IDEREGS, bCommandReg) == offsetof(IDEREGS, bCommandReg));
static_assert(sizeof(::SENDCMDINPARAMS) == sizeof(SENDCMDINPARAMS));
static_assert(offsetof(::SENDCMDINPARAMS, irDriveRegs) == offsetof(SENDCMDINPARAMS, irDriveRegs));
static_assert(offsetof(::SENDCMDINPARAMS, bDriveNumber) == offsetof(SENDCMDINPARAMS, bDriveNumber));
static_assert(offsetof(::SENDCMDINPARAMS, bBuffer) == kCommandBytesSent);
static_assert(sizeof(::DRIVERSTATUS) == sizeof(DRIVERSTATUS));
static_assert(offsetof(::SENDCMDOUTPARAMS, bBuffer) == kReplyHeaderSize);

// The NVMe protocol query of IOCTL_STORAGE_QUERY_PROPERTY.
static_assert(kIoctlStorageQueryProperty == IOCTL_STORAGE_QUERY_PROPERTY);
static_assert(kStorageAdapterProtocolSpecificProperty == ::StorageAdapterProtocolSpecificProperty);
static_assert(kStorageDeviceProtocolSpecificProperty == ::StorageDeviceProtocolSpecificProperty);
static_assert(kPropertyStandardQuery == ::PropertyStandardQuery);
static_assert(kProtocolTypeNvme == ::ProtocolTypeNvme);
static_assert(kNvmeDataTypeIdentify == ::NVMeDataTypeIdentify);
static_assert(kNvmeDataTypeLogPage == ::NVMeDataTypeLogPage);

#define ORVANE_SAME_FIELD(type, field) static_assert(offsetof(orvane::type, field) == offsetof(::type, field))

static_assert(sizeof(orvane::STORAGE_PROPERTY_QUERY) == sizeof(::STORAGE_PROPERTY_QUERY));
ORVANE_SAME_FIELD(STORAGE_PROPERTY_QUERY, PropertyId);
ORVANE_SAME_FIELD(STORAGE_PROPERTY_QUERY, QueryType);
ORVANE_SAME_FIELD(STORAGE_PROPERTY_QUERY, AdditionalParameters);

static_assert(sizeof(orvane::STORAGE_PROTOCOL_SPECIFIC_DATA) == sizeof(::STORAGE_PROTOCOL_SPECIFIC_DATA));
ORVANE_SAME_FIELD(STORAGE_PROTOCOL_SPECIFIC_DATA, ProtocolType);
ORVANE_SAME_FIELD(STORAGE_PROTOCOL_SPECIFIC_DATA, DataType);
ORVANE_SAME_FIELD(STORAGE_PROTOCOL_SPECIFIC_DATA, ProtocolDataRequestValue);
ORVANE_SAME_FIELD(STORAGE_PROTOCOL_SPECIFIC_DATA, ProtocolDataRequestSubValue);
ORVANE_SAME_FIELD(STORAGE_PROTOCOL_SPECIFIC_DATA, ProtocolDataOffset);
ORVANE_SAME_FIELD(STORAGE_PROTOCOL_SPECIFIC_DATA, ProtocolDataLength);
ORVANE_SAME_FIELD(STORAGE_PROTOCOL_SPECIFIC_DATA, FixedProtocolReturnData);
ORVANE_SAME_FIELD(STORAGE_PROTOCOL_SPECIFIC_DATA, ProtocolDataRequestSubValue2);
ORVANE_SAME_FIELD(STORAGE_PROTOCOL_SPECIFIC_DATA, ProtocolDataRequestSubValue3);
ORVANE_SAME_FIELD(STORAGE_PROTOCOL_SPECIFIC_DATA, ProtocolDataRequestSubValue4);

static_assert(sizeof(orvane::STORAGE_PROTOCOL_DATA_DESCRIPTOR) == sizeof(::STORAGE_PROTOCOL_DATA_DESCRIPTOR));
ORVANE_SAME_FIELD(STORAGE_PROTOCOL_DATA_DESCRIPTOR, Version);
ORVANE_SAME_FIELD(STORAGE_PROTOCOL_DATA_DESCRIPTOR, Size);
ORVANE_SAME_FIELD(STORAGE_PROTOCOL_DATA_DESCRIPTOR, ProtocolSpecificData);

#undef ORVANE_SAME_FIELD

static_assert(kTokenAdjustPrivileges == TOKEN_ADJUST_PRIVILEGES);
static_assert(kTokenQuery == TOKEN_QUERY);
static_assert(kSePrivilegeEnabled == SE_PRIVILEGE_ENABLED);
static_assert(kEwxShutdown == EWX_SHUTDOWN);
static_assert(kEwxReboot == EWX_REBOOT);
static_assert(kEwxForce == EWX_FORCE);
static_assert(kEwxPowerOff == EWX_POWEROFF);

static_assert(kEventLogInformationType == EVENTLOG_INFORMATION_TYPE);

} // namespace orvane
