#include "image/new_image.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "app/language.h"
#include "app/message_boxes.h"
#include "app/string_ids.h"
#include "image/fat12_writer.h"
#include "image/seed_image.h"
#include "image/staged_output.h"
#include "platform/files.h"

const char* const kNewImageSizeItems[kNewImageSizeItemCount] = {
    "1440",  "2880",  "4320",  "5760",  "7200",  "8640",  "10080", "11520",
    "12960", "14400", "15840", "17280", "18720", "20160", "21600", "23040",
};
const char kNewImageInitialSize[] = "2880";

namespace {

const char kSizeNotNumberText[] = "Image size '%s' is not a number!";
const char kSizeTooSmallText[] = "Image size must be at least 17KB!";
const char kOutputIsSeedText[] = "The output image must not be the seed image!";
const char kWriteErrorText[] = "Image file write error!";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads the seed's boot sector into SeedBootSector.
NewImageResult ReadSeed(const char* seedPath) {
  FILE* seed = fopen(seedPath, "rb");
  if (!seed) return kNewImageSeedOpenError;
  bool recognised = RecogniseSeedImage(seed);
  fclose(seed);
  if (!recognised || !SeedHasExtendedBootRecord()) return kNewImageUnknownSeed;
  return kNewImageDone;
}

NewImageResult WriteImage(const char* outputPath, int sizeKb) {
  StagedOutput output;
  if (!OpenStagedOutput(&output, outputPath)) return kNewImageCreateError;
  Fat12WriteResult written = WriteFat12Image(output.file, sizeKb);
  if (written != kFat12Written) {
    DiscardStagedOutput(&output);
    return written == kFat12NoMemory ? kNewImageNoMemory : kNewImageWriteError;
  }
  switch (CommitStagedOutput(&output)) {
    case kStagedCommitted:
      return kNewImageDone;
    case kStagedCloseFailed:
      return kNewImageWriteError;
    case kStagedMoveFailed:
      break;
  }
  // Made again from the seed in a moment: not worth keeping beside a target
  // that cannot be replaced.
  DiscardStagedOutput(&output);
  return kNewImageCreateError;
}

}  // namespace

bool ParseImageSize(const char* text, int* sizeKb) {
  const char* p = text;
  while (IsBlank(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  if (*p < '0' || *p > '9') return false;
  long long value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (value <= INT_MAX) value = value * 10 + (*p - '0');
  }
  while (IsBlank(*p)) ++p;
  if (*p != 0) return false;
  if (value > INT_MAX) value = INT_MAX;
  *sizeKb = negative ? -(int)value : (int)value;
  return true;
}

bool MakeNewImageOutputName(char* out, size_t size, const char* menuDir, const char* sizeText) {
  char name[64];
  if (snprintf(name, sizeof name, "%s.img", sizeText) >= (int)sizeof name) {
    if (size) out[0] = 0;
    return false;
  }
  return JoinPath(out, size, menuDir, name);
}

NewImageResult CreateNewImage(const char* sizeText, const char* seedPath, const char* outputPath) {
  int sizeKb = 0;
  if (!ParseImageSize(sizeText, &sizeKb)) return kNewImageSizeNotNumber;
  if (sizeKb > kMaxNewImageKb) return kNewImageTooLarge;
  if (sizeKb < kMinNewImageKb) return kNewImageTooSmall;
  NewImageResult result = ReadSeed(seedPath);
  if (result != kNewImageDone) return result;
  if (SameFile(seedPath, outputPath)) return kNewImageOutputIsSeed;
  // The output is named after the size, so a second image of one size
  // would replace the first, and what the user put into it, unasked.
  if (PathExists(outputPath)) {
    snprintf(MessageBuffer, kMessageBufferSize, GetString(kStrFileExistOverwrite), outputPath);
    if (!AskYesNo(MessageBuffer)) return kNewImageNotOverwritten;
  }
  return WriteImage(outputPath, sizeKb);
}

void ShowNewImageResult(NewImageResult result, const char* sizeText) {
  switch (result) {
    case kNewImageDone:
      ShowInfo(GetString(kStrImageCreatedOk));
      break;
    case kNewImageSizeNotNumber:
      snprintf(MessageBuffer, kMessageBufferSize, kSizeNotNumberText, sizeText);
      ShowInfo(MessageBuffer);
      break;
    case kNewImageTooLarge:
      ShowInfo(GetString(kStrImageSizeTooLarge));
      break;
    case kNewImageTooSmall:
      ShowInfo(kSizeTooSmallText);
      break;
    case kNewImageSeedOpenError:
      ShowInfo(GetString(kStrSeedOpenError));
      break;
    case kNewImageUnknownSeed:
      ShowInfo(GetString(kStrUnknownSeed));
      break;
    case kNewImageOutputIsSeed:
      ShowInfo(kOutputIsSeedText);
      break;
    case kNewImageCreateError:
      ShowInfo(GetString(kStrImageCreateError));
      break;
    case kNewImageNoMemory:
      ShowInfo(GetString(kStrMemoryError));
      break;
    case kNewImageWriteError:
      ShowInfo(kWriteErrorText);
      break;
    case kNewImageNotOverwritten:
      break;
  }
}
