"""Turns the two Google Benchmark JSON files into the Markdown table of bench/results.md."""
import json
import math
import sys


def load(path):
    with open(path) as f:
        data = json.load(f)
    runs = {}
    for b in data["benchmarks"]:
        if b.get("run_type", "iteration") != "iteration":
            continue
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
        runs[b["name"]] = dict(ms=b["cpu_time"] * scale, bps=b.get("bytes_per_second"))
    return runs, data.get("context", {})


def ms(runs, name):
    r = runs.get(name)
    return r["ms"] if r else None


def fmt(x):
    return "—" if x is None else (f"{x:.3f}" if x < 10 else f"{x:.1f}")


def main():
    velmor, ctx = load(sys.argv[1])
    native, _ = load(sys.argv[2])
    sizes = [10, 100, 500, 1000]
    kernels = [
        ("Multiply", "BM_VelmorMultiply", "BM_EigenMultiply", "BM_EigenNativeProduct", 1.0),
        ("Invert", "BM_VelmorInvert", "BM_EigenInverse", "BM_EigenNativeInverse", 2.5),
        ("GetDeterminant", "BM_VelmorDeterminant", "BM_EigenDeterminant",
         "BM_EigenNativeDeterminant", 3.0),
    ]
    print("# Benchmark results\n")
    print(f"Machine: {ctx.get('num_cpus', '?')} CPUs at {ctx.get('mhz_per_cpu', '?')} MHz; "
          f"CPU time on one core; built with -O2 -ffp-contract=off (plain x86-64).\n")
    print("## Kernels against Eigen (milliseconds per call)\n")
    print("| Operation | n | Velmor | Eigen, same flags | ratio | Eigen, -march=native |")
    print("|---|---|---|---|---|---|")
    verdicts = []
    for title, mine, theirs, nat, target in kernels:
        for n in sizes:
            a, b, c = ms(velmor, f"{mine}/{n}"), ms(velmor, f"{theirs}/{n}"), ms(native, f"{nat}/{n}")
            ratio = a / b if a and b else None
            print(f"| {title} | {n} | {fmt(a)} | {fmt(b)} | {fmt(ratio)}x | {fmt(c)} |")
            if n == 1000 and ratio is not None:
                verdicts.append((f"{title} at n = 1000 within {target}x of Eigen",
                                 ratio <= target, f"{ratio:.2f}x"))
    print("\n## Growth between n = 500 and n = 1000\n")
    print("| Operation | t(500) ms | t(1000) ms | exponent |")
    print("|---|---|---|---|")
    for title, mine, *_ in kernels:
        t5, t10 = ms(velmor, f"{mine}/500"), ms(velmor, f"{mine}/1000")
        exp = math.log(t10 / t5, 2) if t5 and t10 else None
        print(f"| {title} | {fmt(t5)} | {fmt(t10)} | {fmt(exp)} |")
    print("\n## Files and grids (1000 x 1000)\n")
    print("| Job | ms | MB/s | target |")
    print("|---|---|---|---|")
    for name, label in [("BM_WriteMatrixFile", "data file write"),
                        ("BM_ReadMatrixFile", "data file read")]:
        r = velmor.get(name)
        if r:
            mbs = (r["bps"] or 0) / 1e6
            print(f"| {label} | {fmt(r['ms'])} | {mbs:.0f} | over 100 MB/s |")
            verdicts.append((f"{label} over 100 MB/s", mbs > 100, f"{mbs:.0f} MB/s"))
    for name, label in [("BM_GridToArray", "GridToArray"), ("BM_ArrayToGrid", "ArrayToGrid"),
                        ("BM_AddAndShow500", "Add 500 x 500 and show")]:
        r = velmor.get(name)
        if r:
            limit = 1000 if "500" in name else 200
            print(f"| {label} | {fmt(r['ms'])} | | under {limit} ms |")
            verdicts.append((f"{label} under {limit} ms", r["ms"] < limit, f"{r['ms']:.0f} ms"))
    print("\n## Exact methods (texts to exact result)\n")
    print("| Job | n | ms | target |")
    print("|---|---|---|---|")
    for name, label, n, limit in [
            ("BM_ExactDeterminantIntegers", "determinant, integers -99..99", 200, 500),
            ("BM_ExactDeterminantDecimals", "determinant, 15-digit decimals", 200, 2000),
            ("BM_ExactAdjointIntegers", "adjoint, integers -99..99", 100, 2000),
            ("BM_ExactInverseIntegers", "inverse in fractions, integers -99..99", 100, 2000)]:
        r = velmor.get(f"{name}/{n}")
        if r:
            print(f"| {label} | {n} | {fmt(r['ms'])} | under {limit} ms |")
            verdicts.append((f"exact {label} at {n} under {limit} ms", r["ms"] < limit,
                             f"{r['ms']:.0f} ms"))
    print("\n## Targets\n")
    for what, ok, value in verdicts:
        print(f"- {'met' if ok else 'MISSED'}: {what} ({value})")


if __name__ == "__main__":
    main()
