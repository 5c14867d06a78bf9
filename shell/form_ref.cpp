#include "shell/form_ref.h"

#include "depreciation/ui/frm_genka.h"
#include "loan/ui/frm_kariire.h"
#include "shell/frm_menu.h"
#include "shell/frm_splash.h"

template <class T>
FormRef<T>::FormRef() = default;

// A window still held when the program ends is left to the operating system:
// deleting a widget after the application object is gone would crash.
template <class T>
FormRef<T>::~FormRef() {
  static_cast<void>(m_form.release());
}

template <class T>
bool FormRef<T>::IsEmpty() const {
  return m_form == nullptr;
}

template <class T>
T* FormRef<T>::Get() const {
  return m_form.get();
}

template <class T>
void FormRef<T>::Set(std::unique_ptr<T> form) {
  Release();
  m_form = std::move(form);
}

template <class T>
void FormRef<T>::Release() {
  m_form.reset();
}

template class FormRef<FrmSplash>;
template class FormRef<FrmMenu>;
template class FormRef<FrmKariire>;
template class FormRef<FrmGenka>;
