// The calling thread's place in a single-threaded COM apartment, for as long
// as this object lives. The Task Scheduler's interfaces are COM objects, and
// the thread that uses them must have entered an apartment first.
#pragma once

namespace corvane::win32 {

class ComApartment {
 public:
  ComApartment();
  // Leaves the apartment only when the constructor entered it: a thread
  // that was already in another kind keeps it.
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  // False when the thread could not enter (it is in a multithreaded
  // apartment already, or COM failed); COM objects then cannot be made here.
  bool Entered() const { return entered_; }

 private:
  bool entered_ = false;
};

}  // namespace corvane::win32
