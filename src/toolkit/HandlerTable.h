// The named event handlers of a form: what the event properties of a window
// description refer to. A form adds its handlers before its description is loaded;
// the loader looks each one up by name and by the event type of the property.
#pragma once

#include <any>
#include <map>
#include <string>
#include <utility>

#include "base/Component.h"
#include "toolkit/DescriptionFormat.h"

class THandlerTable {
 public:
  template <class T, class... Args>
  void Add(const std::string& name, T* object, void (T::*method)(Args...)) {
    handlers_[name] = TEvent<Args...>(object, method, name);
  }

  // The handler called name as an event of type Event; EDescriptionError when there
  // is none or when its parameters do not fit that event.
  template <class Event>
  Event Find(const std::string& name) const {
    const auto found = handlers_.find(name);
    if (found == handlers_.end()) throw EDescriptionError("the form has no handler " + name);
    if (const Event* event = std::any_cast<Event>(&found->second)) return *event;
    throw EDescriptionError("handler " + name + " does not take the parameters of this event");
  }

 private:
  std::map<std::string, std::any> handlers_;
};
