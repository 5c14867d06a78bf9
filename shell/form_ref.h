#pragma once

#include <memory>

// An application-wide reference to one window, as a form variable: empty
// until the window is made, and emptied (the window deleted) once it is done
// with, so the next use starts from a fresh window.
template <class T>
class FormRef {
 public:
  FormRef();
  ~FormRef();
  FormRef(const FormRef&) = delete;
  FormRef& operator=(const FormRef&) = delete;

  bool IsEmpty() const;
  T* Get() const;

  // Takes the window; a window already held is deleted first.
  void Set(std::unique_ptr<T> form);

  // Deletes the window (which hides it) and empties the reference.
  void Release();

 private:
  std::unique_ptr<T> m_form;
};
