#pragma once

// SDL's video subsystem, started once for the life of the window thread and only by it.
namespace Wimdows {

class VideoSession {
  public:
    VideoSession() = default;
    ~VideoSession();
    VideoSession(const VideoSession&) = delete;
    VideoSession& operator=(const VideoSession&) = delete;

    // TRUE once video is up; a failed start is tried again at the next window.
    bool Start();

  private:
    bool up = false;
};

} // namespace Wimdows
