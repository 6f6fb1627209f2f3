"""Turns the Google Benchmark JSON files into the Markdown tables of bench/results.md."""
import json
import math
import sys


def load(paths):
    """Comma-separated files of rounds run one after another: each benchmark's fastest round
    counts, as a shared machine only ever slows a run down."""
    runs, context = {}, {}
    for path in paths.split(","):
        with open(path) as f:
            data = json.load(f)
        context = data.get("context", context)
        for b in data["benchmarks"]:
            if b.get("run_type", "iteration") != "iteration":
                continue
            scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
            r = dict(ms=b["cpu_time"] * scale, wall=b["real_time"] * scale,
                     bps=b.get("bytes_per_second"))
            old = runs.get(b["name"])
            if old:
                r = dict(ms=min(r["ms"], old["ms"]), wall=min(r["wall"], old["wall"]),
                         bps=max(r["bps"] or 0, old["bps"] or 0) or None)
            runs[b["name"]] = r
    return runs, context


def ms(runs, name):
    r = runs.get(name)
    return r["ms"] if r else None


def fmt(x):
    return "—" if x is None else (f"{x:.3f}" if x < 10 else f"{x:.1f}")


def main():
    velmor, ctx = load(sys.argv[1])
    native, _ = load(sys.argv[2])
    sizes = [10, 100, 500, 1000]
    two, _ = load(sys.argv[3]) if len(sys.argv) > 3 else ({}, None)
    # Targets against Eigen built for this processor (-march=native), one core.
    kernels = [
        ("Multiply", "BM_VelmorMultiply", "BM_EigenMultiply", "BM_EigenNativeProduct", 1.5),
        ("Invert", "BM_VelmorInvert", "BM_EigenInverse", "BM_EigenNativeInverse", 2.5),
        ("GetDeterminant", "BM_VelmorDeterminant", "BM_EigenDeterminant",
         "BM_EigenNativeDeterminant", 2.0),
    ]
    print("# Benchmark results\n")
    print(f"Machine: {ctx.get('num_cpus', '?')} CPUs at {ctx.get('mhz_per_cpu', '?')} MHz; "
          f"CPU time on one core after a warm-up, the fastest of {sys.argv[1].count(',') + 1} "
          f"rounds; "
          f"built with -O2 -ffp-contract=off (plain x86-64).\n")
    print("## Kernels against Eigen (milliseconds per call)\n")
    print("| Operation | n | Velmor | Eigen, same flags | ratio | Eigen, -march=native "
          "| ratio to native |")
    print("|---|---|---|---|---|---|---|")
    verdicts = []
    for title, mine, theirs, nat, target in kernels:
        for n in sizes:
            a, b, c = ms(velmor, f"{mine}/{n}"), ms(velmor, f"{theirs}/{n}"), ms(native, f"{nat}/{n}")
            ratio = a / b if a and b else None
            rn = a / c if a and c else None
            print(f"| {title} | {n} | {fmt(a)} | {fmt(b)} | {fmt(ratio)}x | {fmt(c)} | {fmt(rn)}x |")
            if n == 1000 and rn is not None:
                verdicts.append((f"{title} at n = 1000 within {target}x of Eigen native",
                                 rn <= target, f"{rn:.2f}x"))
    print("\nThe kernels alone at n = 1000 (arrays of doubles in and out, one thread):\n")
    print("| Kernel | Velmor ms | Eigen, -march=native | ratio to native |")
    print("|---|---|---|---|")
    for title, mine, nat in [("Multiply", "BM_KernelMultiply/1000", "BM_EigenNativeProduct/1000"),
                             ("Invert", "BM_KernelInvert/1000", "BM_EigenNativeInverse/1000"),
                             ("LU determinant", "BM_KernelDeterminant/1000",
                              "BM_EigenNativeDeterminant/1000")]:
        a, c = ms(velmor, mine), ms(native, nat)
        print(f"| {title} | {fmt(a)} | {fmt(c)} | {fmt(a / c if a and c else None)}x |")
    m2, nat1 = two.get("BM_VelmorMultiply/1000"), ms(native, "BM_EigenNativeProduct/1000")
    if m2 and nat1:
        # Two threads: wall time, the work being shared by both cores.
        r = m2["wall"] / nat1
        print(f"\nMultiply at n = 1000 on two threads: {fmt(m2['wall'])} ms wall, "
              f"{r:.2f}x Eigen native on one core.")
        verdicts.append(("Multiply at n = 1000 on two threads within 0.8x of Eigen native",
                         r <= 0.8, f"{r:.2f}x"))
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
    print("\n## Whole paths (1000 x 1000, from the button to the filled result grid)\n")
    print("The main window's controller driven headless; the result window's own drawing is "
          "not included.\n")
    print("| Path | ms | target |")
    print("|---|---|---|")
    for name, label, limit in [("BM_PathMultiply", "Multiply", 500),
                               ("BM_PathInvert", "Invert", 1000),
                               ("BM_PathAdd", "Add", None),
                               ("BM_PathProperties", "Properties", None),
                               ("BM_PathOpen", "File > Open", 500),
                               ("BM_PathSave", "File > Save", 500)]:
        t = ms(velmor, name)
        if t is None:
            continue
        print(f"| {label} | {fmt(t)} | {'at most ' + str(limit) + ' ms' if limit else ''} |")
        if limit:
            verdicts.append((f"{label} path at most {limit} ms", t <= limit, f"{t:.0f} ms"))
    t2 = two.get("BM_PathMultiply")
    if t2:
        print(f"| Multiply, two threads (wall) | {fmt(t2['wall'])} | |")
    print("\n### Phases (1000 x 1000)\n")
    print("| Phase | ms | target |")
    print("|---|---|---|")
    for name, label, limit in [
            ("BM_PhaseOperandCopy", "operand taken from the list (shared until changed)", None),
            ("BM_PhaseTextToNumber", "text to number, a million", 60),
            ("BM_PhaseFromChars", "std::from_chars of the same texts, for scale", None),
            ("BM_VelmorMultiply/1000", "engine call: Multiply (numbers in and out)", None),
            ("BM_KernelMultiply/1000", "kernel alone: Multiply", None),
            ("BM_VelmorInvert/1000", "engine call: Invert (numbers in and out)", None),
            ("BM_KernelInvert/1000", "kernel alone: Invert", None),
            ("BM_GridToArray", "grid to array", None),
            ("BM_ArrayToGrid", "array to grid, formatting included", None),
            ("BM_PhaseNumberToText", "number to text (formatting), a million", 60),
            ("BM_PhaseToChars", "std::to_chars, 15 digits, a million, for scale", None),
            ("BM_PhaseExtremes", "extremes", None),
            ("BM_ReadMatrixFile", "data file read and parse", None),
            ("BM_WriteMatrixFile", "data file format and write", None)]:
        t = ms(velmor, name)
        if t is None:
            continue
        print(f"| {label} | {fmt(t)} | {'at most ' + str(limit) + ' ms' if limit else ''} |")
        if limit:
            verdicts.append((f"{label} at most {limit} ms", t <= limit, f"{t:.0f} ms"))

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
