// loader.js -- brings the game's script, wasm and data with progress in bytes;
// a file that fails (an HTTP error, the network, a stall, a size that is not
// the build's) is named in the page with what to do and a Retry button, never
// left at "Loading...". Once all three are here the game starts, and the
// service worker (sw.js) is asked to keep them for offline play.
// The transfers begin as soon as this script runs, before the page's WebGL
// check (slow on a software renderer), and the wasm is compiled while the
// data still comes. The page calls loadGame(Module, say); pack.js writes the
// files' hashed names and sizes into this script's data-game attribute.
'use strict';
(function () {
  const kStallMs = 30000;  // no byte for this long and the transfer counts as failed
  const files = document.currentScript.dataset.game.split(' ').map((entry) => {
    const [name, size] = entry.split(':');
    return { name, size: Number(size), received: 0, bytes: null, pending: null, compiled: null };
  });
  let onProgress = () => {};  // the page's bar and line, once loadGame has them
  const byExtension = (ext) => files.find((f) => f.name.endsWith('.' + ext));
  const megabytes = (n) => (n / 1e6).toFixed(2);

  class LoadError extends Error {}

  function failure(file, what, todo) {
    return new LoadError(`Could not load ${file.name}: ${what}. ${todo}`);
  }

  // One file, counted as it arrives; rejects with a LoadError saying why.
  async function fetchFile(file, again) {
    const controller = new AbortController();
    let stalled = false;
    let timer = 0;
    const watch = () => {
      clearTimeout(timer);
      timer = setTimeout(() => { stalled = true; controller.abort(); }, kStallMs);
    };
    const network = () => stalled
      ? failure(file, `nothing arrived for ${kStallMs / 1000} s`, 'Check the connection, then press Retry.')
      : failure(file, 'the network failed', 'Check the connection, then press Retry.');
    file.received = 0;
    watch();
    try {
      let response;
      try {
        response = await fetch(file.name, { cache: again ? 'reload' : 'default', signal: controller.signal });
      } catch (e) {
        throw network();
      }
      if (!response.ok) {
        throw failure(file, `the server answered ${response.status} ${response.statusText}`.trim(),
          'Whoever hosts the page must copy every file the build made; press Retry once it is there.');
      }
      const parts = [];
      const reader = response.body.getReader();
      for (;;) {
        let chunk;
        try {
          chunk = await reader.read();
        } catch (e) {
          throw network();
        }
        if (chunk.done) break;
        parts.push(chunk.value);
        file.received += chunk.value.length;
        watch();
        onProgress();
      }
      if (file.received !== file.size) {
        throw failure(file, `${file.received} bytes came where this page expects ${file.size}`,
          'The server holds another build, or the transfer was cut: press Retry, or reload the page.');
      }
      const bytes = new Uint8Array(file.size);
      let at = 0;
      for (const part of parts) {
        bytes.set(part, at);
        at += part.length;
      }
      file.bytes = bytes.buffer;
      if (file.name.endsWith('.wasm')) {
        file.compiled = WebAssembly.compile(file.bytes);
        file.compiled.catch(() => {});  // told when the game starts
      }
    } finally {
      clearTimeout(timer);
    }
  }

  // The game's own script, run from the bytes already here, finds its wasm
  // and data in the module rather than fetching them again.
  function start(module, say) {
    const wasm = byExtension('wasm'), data = byExtension('data'), script = byExtension('js');
    const names = { 'courtball.wasm': wasm.name, 'courtball.data': data.name };
    module.locateFile = (file) => names[file] || file;
    module.instantiateWasm = (imports, receive) => {
      wasm.compiled.then((compiled) => WebAssembly.instantiate(compiled, imports))
        .then((instance) => receive(instance), (e) => say(`${wasm.name} would not start: ${e.message}`));
      return {};
    };
    module.getPreloadedPackage = () => data.bytes;
    module.onRuntimeInitialized = () => performance.mark('courtball:compiled');
    const url = URL.createObjectURL(new Blob([script.bytes], { type: 'text/javascript' }));
    const tag = document.createElement('script');
    tag.onload = () => URL.revokeObjectURL(url);
    tag.onerror = () => say(`${script.name} would not run in this browser.`);
    tag.src = url;
    document.body.appendChild(tag);
  }

  // Kept for the next visit once the game has what it needs; where the page
  // is not served over https or from localhost there is no worker, only a note.
  function keepOffline() {
    if (!('serviceWorker' in navigator)) {
      console.log('courtball: no offline copy here (service workers need https or localhost)');
      return;
    }
    navigator.serviceWorker.register('sw.js').catch((e) => {
      console.log(`courtball: no offline copy: ${e.message}`);
    });
  }

  // Every file not yet here, fetched again (past any cache) after a failure.
  const begin = (again) => files.filter((f) => !f.bytes)
    .forEach((f) => { f.pending = fetchFile(f, again); f.pending.catch(() => {}); });
  begin(false);

  window.loadGame = function (module, say) {
    const block = document.getElementById('loading');
    const bar = block.querySelector('progress');
    const retry = block.querySelector('button');
    const total = files.reduce((sum, f) => sum + f.size, 0);
    onProgress = () => {
      const received = files.reduce((sum, f) => sum + (f.bytes ? f.size : f.received), 0);
      bar.value = received / total;
      say(`Loading: ${megabytes(received)} of ${megabytes(total)} MB`);
    };
    const attempt = async (again) => {
      retry.hidden = true;
      block.hidden = false;
      if (again) begin(true);
      onProgress();
      const results = await Promise.allSettled(files.map((f) => f.pending));
      const failed = results.find((r) => r.status === 'rejected');
      if (failed) {
        say(failed.reason instanceof LoadError ? failed.reason.message : `Loading failed: ${failed.reason}`);
        retry.hidden = false;
        retry.focus();
        return;
      }
      block.hidden = true;
      performance.mark('courtball:files');  // the time to the first frame, split (bench-web)
      say('Starting...');
      start(module, say);
      keepOffline();
    };
    retry.onclick = () => attempt(true);
    attempt(false);
  };
})();
