// The diagnostic message boxes of the switch "-verbosevideo".
#pragma once

#include "adapters/verbose_video.h"

#include <memory>

// Each box has no owner and an OK button, and waits for the user.
class MessageBoxVideo final : public VerboseVideo {
  public:
    void Show(std::u16string_view caption, std::u16string_view text) override;
};

// Message boxes when the process command line holds "-verbosevideo", else
// nothing.
std::unique_ptr<VerboseVideo> VerboseVideoOfCommandLine();
