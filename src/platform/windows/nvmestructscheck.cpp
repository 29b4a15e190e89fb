// The NVMe query's numbers and structures as the drive code lays them out, checked against
// the SDK's: a difference breaks the build instead of a request.
#include "drive/nvmestructs.h"

#include <cstddef>
#include <windows.h>
#include <winioctl.h>

namespace orvane {

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

} // namespace orvane
