// Number fields, dates, engine memory and the volume descriptors of the
// ISO 9660 side.
#include "app/message_boxes.h"
#include "image/iso_internal.h"

#include <cstdio>
#include <cstring>
#include <new>

void report_memory_overflow() {
  // Once per build: requests that fail while the build winds down add
  // nothing the user must answer again.
  if (!Iso.stop_build) {
    snprintf(MessageBuffer, kMessageBufferSize, "Memory overflow!\n");
    ShowError(MessageBuffer);
  }
  Iso.stop_build = true;
}

// Engine blocks come from the program's allocation functions without
// exceptions, as its standard containers' memory does, so that running out
// of either is met alike.
void* engine_alloc(size_t size) {
  if (size == 0) return nullptr;
  void* block = operator new(size, std::nothrow);
  if (!block) {
    report_memory_overflow();
    return nullptr;
  }
  return memset(block, 0, size);
}

void engine_free(void* block) { operator delete(block); }

char* engine_strdup(const char* text) {
  size_t length = strlen(text);
  char* copy = (char*)engine_alloc(length + 1);
  if (copy) memcpy(copy, text, length + 1);
  return copy;
}

uint32_t read_le32(const uint8_t* p) { return get32le(p); }

uint32_t round_up_sector(uint32_t bytes) { return (uint32_t)(sectors_of(bytes) * kSectorSize); }
uint32_t sectors_of(uint64_t bytes) { return (uint32_t)((bytes + kSectorSize - 1) / kSectorSize); }

uint32_t next_record_position(uint32_t pos, uint32_t length) {
  if (pos % kSectorSize + length >= kSectorSize) pos = round_up_sector(pos);
  return pos;
}

// The UTC fields of t, by the civil calendar, for every t: the C library's
// gmtime refuses dates before 1970 on Windows.
static void utc_fields(int64_t t, struct tm* out) {
  int64_t days = t / 86400, seconds = t % 86400;
  if (seconds < 0) {
    seconds += 86400;
    days--;
  }
  // Days since 1970-01-01 to year, month and day (eras of 400 years).
  int64_t z = days + 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t day_of_era = z - era * 146097;
  int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  int64_t month_index = (5 * day_of_year + 2) / 153;  // from March
  int64_t month = month_index < 10 ? month_index + 3 : month_index - 9;
  int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  memset(out, 0, sizeof *out);
  out->tm_year = (int)(year - 1900);
  out->tm_mon = (int)(month - 1);
  out->tm_mday = (int)(day_of_year - (153 * month_index + 2) / 5 + 1);
  out->tm_hour = (int)(seconds / 3600);
  out->tm_min = (int)(seconds / 60 % 60);
  out->tm_sec = (int)(seconds % 60);
}

// Local broken-down time and the offset of local time from UTC in
// 15-minute units (a day difference across a year boundary is one day).
static bool local_time_and_offset(time_t t, struct tm* local, int* offset) {
  struct tm utc;
  struct tm* g = &utc;
#ifdef TW_WIN32
  struct tm* l = localtime(&t);
  if (!l) return false;
  *local = *l;
  g = gmtime(&t);
  if (!g) return false;
#else
  // glibc's localtime looks at the time zone file again at every call;
  // localtime_r does not, which matters once per scanned entry.
  if (!localtime_r(&t, local) || !gmtime_r(&t, &utc)) return false;
#endif
  int days = local->tm_yday - g->tm_yday;
  if (local->tm_year != g->tm_year) days = local->tm_year > g->tm_year ? 1 : -1;
  int minutes = days * 1440 + (local->tm_hour - g->tm_hour) * 60 + (local->tm_min - g->tm_min);
  *offset = minutes / 15;
  return true;
}

enum { kMinZoneOffset = -48, kMaxZoneOffset = 52 };  // 15-minute units a date can state

// The fields and offset that state the moment t: local time, or, where the
// library cannot give it, UTC. A zone beyond the offsets a date can hold
// (UTC+14) is stated at the nearest one with the fields moved to match, so
// that the moment stays right.
static void stated_time(time_t t, struct tm* fields, int* offset) {
  if (!local_time_and_offset(t, fields, offset)) {
    utc_fields((int64_t)t, fields);
    *offset = 0;
  }
  if (*offset < kMinZoneOffset || *offset > kMaxZoneOffset) {
    *offset = *offset < kMinZoneOffset ? kMinZoneOffset : kMaxZoneOffset;
    utc_fields((int64_t)t + *offset * 15 * 60, fields);
  }
}

void make_record_date(uint8_t* p, time_t t) {
  struct tm local;
  int offset = 0;
  stated_time(t, &local, &offset);
  // The year is one byte from 1900: earlier dates are stated as the first
  // moment of 1900, later ones as the last of 2155.
  if (local.tm_year < 0 || local.tm_year > 255) {
    bool late = local.tm_year > 255;
    memset(&local, 0, sizeof local);
    local.tm_year = late ? 255 : 0;
    local.tm_mon = late ? 11 : 0;
    local.tm_mday = late ? 31 : 1;
    local.tm_hour = late ? 23 : 0;
    local.tm_min = local.tm_sec = late ? 59 : 0;
  }
  p[0] = (uint8_t)local.tm_year;
  p[1] = (uint8_t)(local.tm_mon + 1);
  p[2] = (uint8_t)local.tm_mday;
  p[3] = (uint8_t)local.tm_hour;
  p[4] = (uint8_t)local.tm_min;
  p[5] = (uint8_t)local.tm_sec;
  p[6] = (uint8_t)(int8_t)offset;
}

void make_descriptor_date(uint8_t* p, time_t t) {
  struct tm local;
  int offset = 0;
  char text[32];
  stated_time(t, &local, &offset);
  int year = local.tm_year + 1900;
  if (year < 1 || year > 9999) {
    memset(p, '0', 16);
    p[16] = 0;
    return;
  }
  snprintf(text, sizeof text, "%4.4d%2.2d%2.2d%2.2d%2.2d%2.2d00", year, local.tm_mon + 1,
           local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  memcpy(p, text, 16);
  p[16] = (uint8_t)(int8_t)offset;
}

// A text field: spaces, then the text's first characters up to the length.
static void put_text_field(uint8_t* p, size_t length, const char* text) {
  memset(p, ' ', length);
  size_t n = strlen(text);
  memcpy(p, text, n < length ? n : length);
}

static const char kApplicationId[] = "TARNWICK BOOT MENU CD MAKER";

void make_side_root_record(TreeSide side) {
  uint8_t* r = Iso.tree[side].root_record;
  memset(r, 0, sizeof Iso.tree[side].root_record);
  DirectoryNode* root = Iso.root;
  r[kRecLength] = 34;
  put32both(r + kRecExtent, root->side[side].extent);
  put32both(r + kRecDataLength, round_up_sector(root->side[side].size));
  // The root folder's date, as its "." entry carries it.
  memcpy(r + kRecDate, root->self_entry->record + kRecDate, 7);
  r[kRecFlags] = kFileDirectory;
  put16both(r + kRecVolumeSeq, 1);
  r[kRecNameLength] = 1;
  r[kRecName] = 0;
}

int make_root_record() {
  make_side_root_record(kIsoSide);
  return 1;
}

void put_tree_fields(uint8_t* s, TreeSide side) {
  put32both(s + kVdPathTableSize, Iso.tree[side].path_table_bytes);
  put32le(s + kVdLTable, Iso.tree[side].l_table_sector);
  put32le(s + kVdLTable + 4, 0);
  put32be(s + kVdMTable, Iso.tree[side].m_table_sector);
  put32be(s + kVdMTable + 4, 0);
  memcpy(s + kVdRootRecord, Iso.tree[side].root_record, 34);
}

void fill_primary_descriptor(uint8_t* s, time_t now) {
  memset(s, 0, kSectorSize);
  s[kVdType] = 1;
  memcpy(s + kVdId, "CD001", 5);
  s[kVdVersion] = 1;
  put_text_field(s + kVdSystemId, 32, "Win32");
  put_text_field(s + kVdVolumeId, 32, Iso.volume_label);
  put32both(s + kVdSpaceSize, Iso.next_free_sector);
  put16both(s + kVdSetSize, 1);
  put16both(s + kVdSequence, 1);
  put16both(s + kVdBlockSize, kSectorSize);
  put_tree_fields(s, kIsoSide);
  put_text_field(s + kVdVolumeSetId, 128, "");
  put_text_field(s + kVdPublisherId, 128, "");
  put_text_field(s + kVdPreparerId, 128, Iso.preparer);
  put_text_field(s + kVdApplicationId, 128, kApplicationId);
  put_text_field(s + kVdCopyrightFile, 37, "");
  put_text_field(s + kVdAbstractFile, 37, "");
  put_text_field(s + kVdBiblioFile, 37, "");
  make_descriptor_date(s + kVdCreation, now);
  memcpy(s + kVdModification, s + kVdCreation, 17);
  memset(s + kVdExpiration, '0', 16);
  s[kVdExpiration + 16] = 0;
  memcpy(s + kVdEffective, s + kVdCreation, 17);
  s[kVdStructureVersion] = 1;
  memset(s + kVdApplicationUse, ' ', 512);
}

void fill_terminator(uint8_t* s) {
  memset(s, 0, kSectorSize);
  s[0] = 255;
  memcpy(s + 1, "CD001", 5);
  s[6] = 1;
}
