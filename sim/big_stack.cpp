#include "sim/big_stack.h"

#include <pthread.h>

#include <exception>
#include <stdexcept>

namespace durak::sim {

namespace {
struct Job {
    const std::function<void()>* body;
    std::exception_ptr failure;
};

void* Run(void* arg) {
    auto* job = static_cast<Job*>(arg);
    try {
        (*job->body)();
    } catch (...) {
        job->failure = std::current_exception();
    }
    return nullptr;
}
}  // namespace

void RunWithStack(std::size_t bytes, const std::function<void()>& body) {
    Job job{&body, nullptr};
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, bytes);
    pthread_t thread;
    const int rc = pthread_create(&thread, &attr, &Run, &job);
    pthread_attr_destroy(&attr);
    if (rc != 0) throw std::runtime_error("cannot start the simulator's thread");
    pthread_join(thread, nullptr);
    if (job.failure) std::rethrow_exception(job.failure);
}

}  // namespace durak::sim
