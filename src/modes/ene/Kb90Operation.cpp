#include "Kb90Operation.h"

#include <algorithm>

#include "modes/shared/OperationFinish.h"

namespace qjig {

namespace {

std::span<const std::uint8_t, kKb90BlockSize> ImageBlock(std::span<const std::uint8_t> image, int block) {
  return image.subspan(static_cast<std::size_t>(block) * kKb90BlockSize).first<kKb90BlockSize>();
}

// Every block starts by asking whether the operation is still wanted.
bool GoesOn(const Kb90Job& job, const OperationPort& window, std::string_view state) {
  return job.state.Is(state) && !window.StopRequested();
}

bool ReadChip(Kb90Job& job, OperationPort& window) {
  Kb90Block block{};
  for (int n = 1; n <= kKb90BlockCount; ++n) {
    if (!GoesOn(job, window, kStateReading)) return false;
    const BlockReply reply = Kb90RequestBlock(job.link, n == 1 ? kKb90ReadFirst : kKb90ReadNext, block);
    // A block that came with the lost-contact status is kept too: it is
    // what the chip gave.
    if (reply != BlockReply::NoReply) {
      job.file.write(reinterpret_cast<const char*>(block.data()), block.size());
      window.SetGauge(kKb90GaugeStep * n);
    }
    if (reply != BlockReply::Ok) {
      window.AddLine(std::string(kKb90LostLine));
      return false;
    }
  }
  Kb90EndBlocks(job.link);
  window.AddLine("Reading completed successfully.");
  return true;
}

bool WriteChip(Kb90Job& job, OperationPort& window) {
  for (int n = 1; n <= kKb90BlockCount; ++n) {
    if (!GoesOn(job, window, kStateWriting)) return false;
    const BlockReply reply = Kb90WriteBlock(job.link, ImageBlock(job.image, n - 1));
    if (reply != BlockReply::NoReply) window.SetGauge(kKb90GaugeStep * n);
    if (reply != BlockReply::Ok) {
      window.AddLine(std::string(kKb90LostLine));
      return false;
    }
  }
  Kb90EndBlocks(job.link);
  window.AddLine("Writing is completed ...");
  window.AddLine("Verification ...");
  window.SetGauge(0);
  window.SetGaugeColour(kGaugeYellow);
  return true;
}

bool VerifyChip(Kb90Job& job, OperationPort& window) {
  Kb90Block block{};
  for (int n = 0; n < kKb90BlockCount; ++n) {
    if (!GoesOn(job, window, kStateWriting)) return false;
    if (Kb90RequestBlock(job.link, kKb90ReadFirst, block) != BlockReply::Ok) {
      window.AddLine(std::string(kKb90LostLine));
      return false;
    }
    const auto expected = ImageBlock(job.image, n);
    if (!std::equal(block.begin(), block.end(), expected.begin())) {
      Kb90EndBlocks(job.link);
      window.AddLine("!!! Data is written incorrectly !!! ");
      return false;
    }
    window.SetGauge(kKb90GaugeStep * (n + 1));
  }
  Kb90EndBlocks(job.link);
  window.AddLine("!!! Data is written correctly !!! ");
  return true;
}

}  // namespace

Kb90Readiness PrepareKb90Operation(JigLink& link, bool throughAdapter, const LineSink& memo,
                                   std::string& windowTag) {
  Kb90Readiness readiness;
  readiness.check = CheckProgrammer(link, CheckRowFor(CheckWindow::Kb90), {&memo, 1}, windowTag);
  if (readiness.check != CheckResult::Ready) return readiness;
  readiness.chipConnected = Kb90ConnectChip(link, throughAdapter, memo);
  SendResultSignal(link, readiness.chipConnected);
  if (!readiness.chipConnected) link.Close();
  return readiness;
}

bool LoadKb90Image(const std::filesystem::path& file, std::vector<std::uint8_t>& image) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  image.assign(kKb90ImageSize, 0xFF);
  in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
  return true;
}

void RunKb90Operation(Kb90Job& job, OperationPort& window) {
  bool succeeded = false;
  Kb90AdapterOn(job.link, job.throughAdapter);
  if (job.state.Is(kStateReading)) {
    succeeded = ReadChip(job, window);
    job.file.close();
  } else if (job.state.Is(kStateWriting)) {
    succeeded = WriteChip(job, window) && VerifyChip(job, window);
  }
  SendResultSignal(job.link, succeeded);
  Kb90AdapterOff(job.link, job.throughAdapter);
  FinishOperation(job.link, window, succeeded);
}

}  // namespace qjig
