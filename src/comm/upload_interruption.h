#pragma once

#include "model/parameter_image.h"

namespace tw::comm {

// What an upload that had loaded a System Memory into the receiver did when it did not end
// normally. From the first memory load on, the receiver runs that memory's settings until
// the upload's write-back has put its own back.
struct UploadInterruption {
  enum class Stage {
    WritingBack,  // interrupted: the settings read are being written back
    Restored,     // the write-back completed: the receiver is as before the upload
    NotRestored,  // the receiver may still hold the loaded memory's settings
  };
  enum class Cause {
    Interrupt,        // Cancel or a signal (the write-back follows)
    SecondInterrupt,  // another interrupt stopped the write-back
    CableError,       // the cable or the port went away
    WriteBackFailed,  // commands of the write-back were given up
  };

  Stage stage = Stage::WritingBack;
  Cause cause = Cause::Interrupt;
  int memory = 0;  // the System Memory the receiver loaded last (1..6)
  // WritingBack: the list entries of the write-back (the progress range).
  int firstEntry = 0;
  int entryCount = 0;
  // NotRestored: the receiver's own current settings as the upload read them before the
  // first memory load, with the items it set aside put back.
  model::ParameterImage settingsRead{};
};

}  // namespace tw::comm
