// The component model: persistent objects, components owned by a window (or by
// another component) and events as method pointers. Portable: no platform code.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

class TObject {
 public:
  virtual ~TObject() = default;
};

// An object whose published properties a window description can set.
class TPersistent : public TObject {};

// A component with an owner. The owner destroys what it owns, last created first.
class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  const std::vector<TComponent*>& Components() const { return components_; }

  // There is no design environment in this system, so components never design.
  bool Designing() const { return false; }

  // The after-loading step: called once all stored properties have been read.
  virtual void Loaded() {}

 private:
  TComponent* owner_;
  std::string name_;
  std::vector<TComponent*> components_;
};

// An event: a method plus the object it is called on, called synchronously and
// only when assigned.
template <typename... Args>
class TEvent {
 public:
  TEvent() = default;
  template <class T>
  TEvent(T* object, void (T::*method)(Args...))
      : object_(object), call_([object, method](Args... args) { (object->*method)(args...); }) {}

  bool Assigned() const { return static_cast<bool>(call_); }
  TObject* Object() const { return object_; }
  void operator()(Args... args) const {
    if (call_) call_(args...);
  }

 private:
  TObject* object_ = nullptr;
  std::function<void(Args...)> call_;
};

using TNotifyEvent = TEvent<TObject*>;
